#include "dicectl/dice_property.h"

#include <new>

#include "common/com_ptr.h"
#include "dicectl/dice.h"

namespace dicectl {
namespace {

constexpr const wchar_t* kPageTitle = L"通用";

// A late-bound read of a property, converted to the type asked for.
HRESULT GetProperty(IDispatch* control, const ControlProperty& property, VARTYPE type, VARIANT* value) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  const HRESULT hr = control->Invoke(property.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                     value, nullptr, nullptr);
  return SUCCEEDED(hr) ? ::VariantChangeType(value, value, 0, type) : hr;
}

HRESULT PutProperty(IDispatch* control, const ControlProperty& property, VARIANT value) {
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{&value, &named, 1, 1};
  return control->Invoke(property.dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr,
                         nullptr, nullptr);
}

}  // namespace

HRESULT DiceProperty::Create(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* page = new (std::nothrow) DiceProperty();
  if (!page) return E_OUTOFMEMORY;
  const auto self = win::com_ptr<IPropertyPage>::attach(page);
  return page->QueryInterface(iid, out);
}

DiceProperty::DiceProperty() : window_(*this) {}

DiceProperty::~DiceProperty() = default;

win::InterfaceList<DiceProperty> DiceProperty::Interfaces() noexcept {
  static const win::InterfaceEntry<DiceProperty> table[] = {
      {IID_IPropertyPage, &win::AsSelf<DiceProperty, IPropertyPage>},
      {IID_IDispatch, &win::AsSelf<DiceProperty, _DiceProperty>},
      {IID__DiceProperty, &win::AsSelf<DiceProperty, _DiceProperty>},
  };
  return table;
}

// A frame gives the page one site and takes it back with NULL; a second
// site in between is a frame's error.
STDMETHODIMP DiceProperty::SetPageSite(IPropertyPageSite* site) {
  return win::ComCall([&] {
    if (site && site_) return E_UNEXPECTED;
    site_ = win::com_ptr<IPropertyPageSite>(site);
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::Activate(HWND parent, LPCRECT rect, BOOL) {
  return win::ComCall([&] {
    if (!rect) return E_POINTER;
    if (window_.hwnd()) return E_UNEXPECTED;
    if (!window_.Create(parent, *rect)) return E_FAIL;
    window_.ShowValues(combo1Index_, option1_);
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::Deactivate() {
  return win::ComCall([&] {
    window_.Destroy();
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::GetPageInfo(PROPPAGEINFO* info) {
  return win::ComCall([&] {
    if (!info) return E_POINTER;
    const size_t bytes = (wcslen(kPageTitle) + 1) * sizeof(wchar_t);
    auto* title = static_cast<LPOLESTR>(::CoTaskMemAlloc(bytes));
    if (!title) return E_OUTOFMEMORY;
    memcpy(title, kPageTitle, bytes);
    info->cb = sizeof *info;
    info->pszTitle = title;
    info->size = DicePropertyWindow::PageSize();
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::SetObjects(ULONG count, IUnknown** objects) {
  return win::ComCall([&] {
    if (count && !objects) return E_POINTER;
    // Built aside, so a failure keeps the selection the page had.
    std::vector<win::com_ptr<IUnknown>> chosen;
    chosen.reserve(count);
    for (ULONG i = 0; i < count; ++i) chosen.emplace_back(objects[i]);
    objects_ = std::move(chosen);
    if (!objects_.empty()) PropertyPage_SelectionChanged();
    return S_OK;
  });
}

// Reads only the first selected control. A HalfChance with no entry in the
// list, or none to read, leaves no entry chosen, so Apply writes none. A
// Resizeable with no value leaves the option buttons as they are; one that
// reads selects its button either way, so a page that showed a resizeable
// control and then gets a fixed one shows it fixed.
void DiceProperty::PropertyPage_SelectionChanged() {
  const auto control = objects_.front().query<IDispatch>();
  if (!control) return;
  win::unique_variant value;
  const bool faceRead = SUCCEEDED(GetProperty(control.get(), kHalfChance, VT_I2, value.put()));
  combo1Index_ = faceRead && Dice::IsDiceSixNumber(V_I2(value.get())) ? V_I2(value.get()) : kNoEntry;
  if (SUCCEEDED(GetProperty(control.get(), kResizeable, VT_BOOL, value.put())))
    option1_ = V_BOOL(value.get()) != VARIANT_FALSE;
  if (window_.hwnd()) window_.ShowValues(combo1Index_, option1_);
}

STDMETHODIMP DiceProperty::Show(UINT command) {
  return win::ComCall([&] {
    if (!window_.hwnd()) return E_UNEXPECTED;
    ::ShowWindow(window_.hwnd(), static_cast<int>(command));
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::Move(LPCRECT rect) {
  return win::ComCall([&] {
    if (!rect) return E_POINTER;
    if (!window_.hwnd()) return E_UNEXPECTED;
    ::MoveWindow(window_.hwnd(), rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
  });
}

STDMETHODIMP DiceProperty::IsPageDirty() {
  return win::ComCall([&] { return changed_ ? S_OK : S_FALSE; });
}

STDMETHODIMP DiceProperty::Apply() {
  return win::ComCall([&] {
    const HRESULT hr = PropertyPage_ApplyChanges();
    if (SUCCEEDED(hr)) changed_ = false;
    return hr;
  });
}

// Writes only the first selected control. Without a chosen entry its
// HalfChance is left as it is: only DiceSixNumber values are ever written.
HRESULT DiceProperty::PropertyPage_ApplyChanges() {
  if (objects_.empty()) return S_OK;
  const auto control = objects_.front().query<IDispatch>();
  if (!control) return E_NOINTERFACE;
  HRESULT hr = S_OK;
  if (combo1Index_ != kNoEntry) {
    VARIANT halfChance;
    V_VT(&halfChance) = VT_I2;
    V_I2(&halfChance) = static_cast<SHORT>(combo1Index_);
    hr = PutProperty(control.get(), kHalfChance, halfChance);
  }
  VARIANT resizeable;
  V_VT(&resizeable) = VT_BOOL;
  V_BOOL(&resizeable) = option1_ ? VARIANT_TRUE : VARIANT_FALSE;
  const HRESULT second = PutProperty(control.get(), kResizeable, resizeable);
  return FAILED(hr) ? hr : second;
}

STDMETHODIMP DiceProperty::Help(LPCOLESTR) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

// Tab and the arrow keys move between the page's controls.
STDMETHODIMP DiceProperty::TranslateAccelerator(MSG* msg) {
  return win::ComCall([&] {
    if (!msg) return E_POINTER;
    return window_.hwnd() && ::IsDialogMessageW(window_.hwnd(), msg) ? S_OK : S_FALSE;
  });
}

void DiceProperty::MarkChanged() {
  changed_ = true;
  if (site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

void DiceProperty::Combo1_Click(int listIndex) {
  combo1Index_ = listIndex;
  MarkChanged();
}

void DiceProperty::Combo1_Change() { combo1Index_ = kNoEntry; }

void DiceProperty::Option1_Click() {
  option1_ = true;
  MarkChanged();
}

void DiceProperty::Option2_Click() {
  option1_ = false;
  MarkChanged();
}

}  // namespace dicectl
