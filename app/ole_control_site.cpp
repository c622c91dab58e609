#include "app/ole_control_site.h"

#include <olectl.h>

#include <new>

#include "common/twips.h"

namespace app {
namespace {

SIZEL TwipsToHimetric(int width, int height) { return {win::TwipsToHimetric(width), win::TwipsToHimetric(height)}; }

void SetBool(VARIANT* v, bool value) {
  V_VT(v) = VT_BOOL;
  V_BOOL(v) = value ? VARIANT_TRUE : VARIANT_FALSE;
}

}  // namespace

OleControlSite::OleControlSite(HWND host, EventHandler onEvent, ChangeHandler onChanged)
    : host_(host), onEvent_(std::move(onEvent)), onChanged_(std::move(onChanged)) {}

win::com_ptr<OleControlSite> OleControlSite::Create(HWND host, const wchar_t* progId, Placement at,
                                                    EventHandler onEvent, ChangeHandler onChanged) {
  auto* raw = new (std::nothrow) OleControlSite(host, std::move(onEvent), std::move(onChanged));
  if (!raw) return nullptr;
  auto site = win::com_ptr<OleControlSite>::attach(raw);
  if (SUCCEEDED(site->Load(progId, at))) return site;
  site->Close();
  return nullptr;
}

// The order a control expects: the client site first when it asks for it,
// a fresh state, the notices connected, the size, then activation.
HRESULT OleControlSite::Load(const wchar_t* progId, Placement at) {
  CLSID clsid;
  HRESULT hr = ::CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.put_void());
  if (FAILED(hr)) return hr;

  DWORD misc = 0;
  object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
  const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
  if (siteFirst) object_->SetClientSite(this);
  if (const auto persist = object_.query<IPersistStreamInit>()) persist->InitNew();
  if (!siteFirst) object_->SetClientSite(this);

  propertyConnection_ = Connect(IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(this));
  if (const auto info = object_.query<IProvideClassInfo2>();
      info && SUCCEEDED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &eventIid_)))
    eventConnection_ = Connect(eventIid_, &events_);

  SIZEL extent = TwipsToHimetric(at.width, at.height);
  object_->SetExtent(DVASPECT_CONTENT, &extent);
  pos_ = win::TwipsRect(at.left, at.top, at.width, at.height);
  hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, host_, &pos_);
  if (FAILED(hr)) return hr;
  inPlace_ = object_.query<IOleInPlaceObject>();
  dispatch_ = object_.query<IDispatch>();
  return inPlace_ && dispatch_ ? S_OK : E_NOINTERFACE;
}

OleControlSite::Connection OleControlSite::Connect(REFIID iid, IUnknown* sink) {
  Connection c;
  const auto container = object_.query<IConnectionPointContainer>();
  if (!container || FAILED(container->FindConnectionPoint(iid, c.point.put())) ||
      FAILED(c.point->Advise(sink, &c.cookie)))
    return {};
  return c;
}

void OleControlSite::Disconnect(Connection& connection) {
  if (connection.point) connection.point->Unadvise(connection.cookie);
  connection = {};
}

void OleControlSite::Close() {
  // The control may call back while it closes; this site stays until done.
  const win::com_ptr<OleControlSite> keep(this);
  Disconnect(eventConnection_);
  Disconnect(propertyConnection_);
  if (inPlace_) inPlace_->InPlaceDeactivate();
  if (object_) {
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
  }
  inPlace_.reset();
  dispatch_.reset();
  object_.reset();
  onEvent_ = nullptr;
  onChanged_ = nullptr;
}

HWND OleControlSite::Window() const {
  HWND hwnd = nullptr;
  if (inPlace_) inPlace_->GetWindow(&hwnd);
  return hwnd;
}

HRESULT OleControlSite::InvokeMethod(DISPID id) {
  if (!dispatch_) return E_UNEXPECTED;
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  return dispatch_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr);
}

HRESULT OleControlSite::Resize(int widthTwips, int heightTwips) {
  if (!object_) return E_UNEXPECTED;
  SIZEL extent = TwipsToHimetric(widthTwips, heightTwips);
  const HRESULT hr = object_->SetExtent(DVASPECT_CONTENT, &extent);
  if (FAILED(hr)) return hr;
  // The control answers through OnPosRectChange when it keeps another size.
  RECT wanted = pos_;
  wanted.right = wanted.left + win::TwipsToPixelsX(widthTwips);
  wanted.bottom = wanted.top + win::TwipsToPixelsY(heightTwips);
  if (object_->GetExtent(DVASPECT_CONTENT, &extent) == S_OK) {
    wanted.right = wanted.left + win::TwipsToPixelsX(win::HimetricToTwips(extent.cx));
    wanted.bottom = wanted.top + win::TwipsToPixelsY(win::HimetricToTwips(extent.cy));
  }
  return OnPosRectChange(&wanted);
}

win::InterfaceList<OleControlSite> OleControlSite::Interfaces() noexcept {
  static const win::InterfaceEntry<OleControlSite> table[] = {
      {IID_IOleClientSite, &win::AsSelf<OleControlSite, IOleClientSite>},
      {IID_IOleWindow, &win::AsSelf<OleControlSite, IOleInPlaceSite>},
      {IID_IOleInPlaceSite, &win::AsSelf<OleControlSite, IOleInPlaceSite>},
      {IID_IOleControlSite, &win::AsSelf<OleControlSite, IOleControlSite>},
      {IID_IDispatch, &win::AsSelf<OleControlSite, IDispatch>},
      {IID_IPropertyNotifySink, &win::AsSelf<OleControlSite, IPropertyNotifySink>},
  };
  return table;
}

// Nothing of the control is stored anywhere: there is nothing to save.
STDMETHODIMP OleControlSite::SaveObject() {
  return win::ComCall([&] { return S_OK; });
}

STDMETHODIMP OleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  return win::ComCall([&] {
    if (moniker) *moniker = nullptr;
    return E_NOTIMPL;
  });
}

STDMETHODIMP OleControlSite::GetContainer(IOleContainer** container) {
  return win::ComCall([&] {
    if (container) *container = nullptr;
    return E_NOINTERFACE;
  });
}

STDMETHODIMP OleControlSite::ShowObject() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::OnShowWindow(BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::RequestNewObjectLayout() {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP OleControlSite::GetWindow(HWND* hwnd) {
  return win::ComCall([&] {
    if (!hwnd) return E_POINTER;
    *hwnd = host_;
    return S_OK;
  });
}

STDMETHODIMP OleControlSite::ContextSensitiveHelp(BOOL) {
  return win::ComCall([&] { return E_NOTIMPL; });
}
STDMETHODIMP OleControlSite::CanInPlaceActivate() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::OnInPlaceActivate() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::OnUIActivate() {
  return win::ComCall([&] { return S_OK; });
}

// The host is an ordinary window, not a document: no frame, no menus.
STDMETHODIMP OleControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos,
                                              LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
  return win::ComCall([&] {
    if (!frame || !doc || !pos || !clip) return E_POINTER;
    *frame = nullptr;
    *doc = nullptr;
    *pos = pos_;
    ::GetClientRect(host_, clip);
    if (info) {
      info->fMDIApp = FALSE;
      info->hwndFrame = ::GetAncestor(host_, GA_ROOT);
      info->haccel = nullptr;
      info->cAccelEntries = 0;
    }
    return S_OK;
  });
}

STDMETHODIMP OleControlSite::Scroll(SIZE) {
  return win::ComCall([&] { return E_NOTIMPL; });
}
STDMETHODIMP OleControlSite::OnUIDeactivate(BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::OnInPlaceDeactivate() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::DiscardUndoState() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::DeactivateAndUndo() {
  return win::ComCall([&] { return inPlace_ ? inPlace_->UIDeactivate() : S_OK; });
}

// The control wants another rectangle; the host grants it as asked.
STDMETHODIMP OleControlSite::OnPosRectChange(LPCRECT pos) {
  return win::ComCall([&] {
    if (!pos) return E_POINTER;
    pos_ = *pos;
    if (!inPlace_) return S_OK;
    RECT clip;
    ::GetClientRect(host_, &clip);
    return inPlace_->SetObjectRects(&pos_, &clip);
  });
}

STDMETHODIMP OleControlSite::OnControlInfoChanged() {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::LockInPlaceActive(BOOL) {
  return win::ComCall([&] { return S_OK; });
}

STDMETHODIMP OleControlSite::GetExtendedControl(IDispatch** control) {
  return win::ComCall([&] {
    if (control) *control = nullptr;
    return E_NOTIMPL;
  });
}

STDMETHODIMP OleControlSite::TransformCoords(POINTL*, POINTF*, DWORD) {
  return win::ComCall([&] { return E_NOTIMPL; });
}
STDMETHODIMP OleControlSite::TranslateAccelerator(MSG*, DWORD) {
  return win::ComCall([&] { return S_FALSE; });
}
STDMETHODIMP OleControlSite::OnFocus(BOOL) {
  return win::ComCall([&] { return S_OK; });
}
STDMETHODIMP OleControlSite::ShowPropertyFrame() {
  return win::ComCall([&] { return E_NOTIMPL; });
}

STDMETHODIMP OleControlSite::GetTypeInfoCount(UINT* count) {
  return win::ComCall([&] {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  });
}

STDMETHODIMP OleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  return win::ComCall([&] {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  });
}

STDMETHODIMP OleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

// The program runs its controls, never designs them.
STDMETHODIMP OleControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                    UINT*) {
  return win::ComCall([&] {
    if (!(flags & DISPATCH_PROPERTYGET) || !result) return DISP_E_MEMBERNOTFOUND;
    ::VariantInit(result);
    switch (id) {
      case DISPID_AMBIENT_USERMODE:
        SetBool(result, true);
        return S_OK;
      case DISPID_AMBIENT_UIDEAD:
      case DISPID_AMBIENT_SHOWGRABHANDLES:
      case DISPID_AMBIENT_SHOWHATCHING:
      case DISPID_AMBIENT_MESSAGEREFLECT:
        SetBool(result, false);
        return S_OK;
      case DISPID_AMBIENT_BACKCOLOR:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(::GetSysColor(COLOR_BTNFACE));
        return S_OK;
      case DISPID_AMBIENT_LOCALEID:
        V_VT(result) = VT_I4;
        V_I4(result) = static_cast<LONG>(::GetUserDefaultLCID());
        return S_OK;
      default:
        return DISP_E_MEMBERNOTFOUND;
    }
  });
}

STDMETHODIMP OleControlSite::OnChanged(DISPID id) {
  return win::ComCall([&] {
    if (onChanged_) onChanged_(id);
    return S_OK;
  });
}

STDMETHODIMP OleControlSite::OnRequestEdit(DISPID) {
  return win::ComCall([&] { return S_OK; });
}

win::InterfaceList<OleControlSite::EventSink> OleControlSite::EventSink::Interfaces() noexcept {
  static const win::InterfaceEntry<EventSink> table[] = {
      {IID_IDispatch, &win::AsSelf<EventSink, IDispatch>},
  };
  return table;
}

IUnknown* OleControlSite::EventSink::RuntimeInterface(REFIID iid) noexcept {
  return iid == site_.eventIid_ && iid != IID_NULL ? static_cast<IDispatch*>(this) : nullptr;
}

STDMETHODIMP OleControlSite::EventSink::GetTypeInfoCount(UINT* count) {
  return win::ComCall([&] {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
  });
}

STDMETHODIMP OleControlSite::EventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  return win::ComCall([&] {
    if (info) *info = nullptr;
    return E_NOTIMPL;
  });
}

STDMETHODIMP OleControlSite::EventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return win::ComCall([&] { return E_NOTIMPL; });
}

// The handler may close the site; a copy of it runs.
STDMETHODIMP OleControlSite::EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                               EXCEPINFO*, UINT*) {
  return win::ComCall([&] {
    const DISPPARAMS none{nullptr, nullptr, 0, 0};
    if (const auto handler = site_.onEvent_) handler(id, params ? *params : none);
    return S_OK;
  });
}

}  // namespace app
