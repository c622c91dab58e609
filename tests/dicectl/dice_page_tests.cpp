// The dice control's property page "通用", driven as a property frame
// would drive it, with a page site of the test's own.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <olectl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "common/unique_handle.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_property_ids.h"
#include "dicectl/tumbix.h"
#include "support/dice_host.h"
#include "support/gui.h"

namespace {

using namespace dicectl;
using namespace dicectl::dice_property;
using testing_support::PageSite;

win::com_ptr<IUnknown> NewDice(int halfChance, bool resizeable) {
  win::com_ptr<_Dice> dice;
  ::CoCreateInstance(CLSID_Dice, nullptr, CLSCTX_INPROC_SERVER, IID__Dice, dice.put_void());
  if (!dice) return nullptr;
  dice->put_HalfChance(static_cast<DiceSixNumber>(halfChance));
  dice->put_Resizeable(resizeable ? VARIANT_TRUE : VARIANT_FALSE);
  return dice.query<IUnknown>();
}

struct DiceState {
  int halfChance;
  bool resizeable;
  SIZEL extent;
};

DiceState StateOf(const win::com_ptr<IUnknown>& control) {
  const auto dice = control.query<_Dice>();
  DiceSixNumber halfChance{};
  VARIANT_BOOL resizeable{};
  dice->get_HalfChance(&halfChance);
  dice->get_Resizeable(&resizeable);
  SIZEL extent{};
  control.query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent);
  return {halfChance, resizeable != VARIANT_FALSE, extent};
}

// A stand-in control whose HalfChance no list entry matches; it records
// what is written to it.
class OddControl final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    return *out ? S_OK : E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
    const std::wstring name = names[0];
    *ids = name == L"HalfChance" ? kHalfChance.dispid : name == L"Resizeable" ? kResizeable.dispid : DISPID_UNKNOWN;
    return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (flags & DISPATCH_PROPERTYPUT) {
      win::unique_variant v;
      ::VariantChangeType(v.get(), &params->rgvarg[0], 0, VT_I4);
      puts.push_back({id, V_I4(v.get())});
      return S_OK;
    }
    V_VT(result) = id == kHalfChance.dispid ? VT_I4 : VT_BOOL;
    if (id == kHalfChance.dispid)
      V_I4(result) = 9;
    else
      V_BOOL(result) = VARIANT_TRUE;
    return S_OK;
  }
  std::vector<std::pair<DISPID, LONG>> puts;
};

class DicePage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::CoCreateInstance(CLSID_DiceProperty, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                 page.put_void()),
              S_OK);
    page->SetPageSite(&site);
  }
  void TearDown() override {
    if (!page) return;
    page->Deactivate();
    page->SetObjects(0, nullptr);
    page->SetPageSite(nullptr);
  }

  // The frame's order: the objects, then the page's window.
  void Open(std::vector<IUnknown*> objects) {
    ASSERT_EQ(page->SetObjects(static_cast<ULONG>(objects.size()), objects.data()), S_OK);
    const RECT area{0, 0, 300, 160};
    ASSERT_EQ(page->Activate(frame.get(), &area, TRUE), S_OK);
    page->Show(SW_SHOW);
    window = ::GetWindow(frame.get(), GW_CHILD);
    ASSERT_NE(window, nullptr);
  }
  HWND Child(int id) const { return ::GetDlgItem(window, id); }
  int ChosenEntry() const { return static_cast<int>(::SendMessageW(Child(IDC_Combo1), CB_GETCURSEL, 0, 0)); }
  bool Checked(int id) const { return ::SendMessageW(Child(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  // What picking an entry with the mouse does: select it, tell the page.
  void Choose(int entry) {
    ::SendMessageW(Child(IDC_Combo1), CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_Combo1, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Child(IDC_Combo1)));
  }
  void Click(int id) { ::SendMessageW(Child(id), BM_CLICK, 0, 0); }

  win::ole_init ole;
  win::unique_hwnd frame{::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)};
  win::com_ptr<IPropertyPage> page;
  PageSite site;
  HWND window = nullptr;
};

TEST_F(DicePage, DescribesItselfAndListsTheSevenFaces) {
  PROPPAGEINFO info{};
  ASSERT_EQ(page->GetPageInfo(&info), S_OK);
  EXPECT_STREQ(info.pszTitle, L"通用");
  EXPECT_EQ(info.size.cx, win::TwipsToPixelsX(4275));
  EXPECT_EQ(info.size.cy, win::TwipsToPixelsY(2310));
  ::CoTaskMemFree(info.pszTitle);

  const auto dice = NewDice(0, true);
  Open({dice.get()});
  const wchar_t* entries[] = {L"0 - NoHalfChance", L"1 - Dice1", L"2 - Dice2", L"3 - Dice3",
                              L"4 - Dice4",        L"5 - Dice5", L"6 - Dice6"};
  ASSERT_EQ(::SendMessageW(Child(IDC_Combo1), CB_GETCOUNT, 0, 0), 7);
  for (int i = 0; i < 7; ++i) {
    wchar_t text[32] = L"";
    ::SendMessageW(Child(IDC_Combo1), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, entries[i]);
  }
  wchar_t caption[32] = L"";
  ::GetWindowTextW(Child(IDC_Option2), caption, 32);
  EXPECT_STREQ(caption, L"大小不可变");
  // The captions are in a readable 9-point Chinese face.
  LOGFONTW font{};
  ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(Child(IDC_Label1), WM_GETFONT, 0, 0)),
                           sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, L"宋体");
  EXPECT_EQ(std::abs(font.lfHeight), ::MulDiv(9, win::ScreenDpiY(), 72));
}

TEST_F(DicePage, OpensOnTheFirstControlsValues) {
  const auto dice = NewDice(3, true);
  Open({dice.get()});
  EXPECT_EQ(ChosenEntry(), 3);
  EXPECT_TRUE(Checked(IDC_Option1));
  EXPECT_FALSE(Checked(IDC_Option2));
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_TRUE(site.statusChanges.empty()) << "showing values changes nothing";
}

TEST_F(DicePage, AFixedSizeControlOpensWithSizeCannotChange) {
  const auto dice = NewDice(5, false);
  Open({dice.get()});
  EXPECT_EQ(ChosenEntry(), 5);
  EXPECT_FALSE(Checked(IDC_Option1));
  EXPECT_TRUE(Checked(IDC_Option2));
}

TEST_F(DicePage, ApplyWritesTheFirstControlOnly) {
  const auto first = NewDice(3, true);
  const auto second = NewDice(5, true);
  SIZEL big{win::TwipsToHimetric(1440), win::TwipsToHimetric(1440)};
  first.query<IOleObject>()->SetExtent(DVASPECT_CONTENT, &big);
  Open({first.get(), second.get()});
  EXPECT_EQ(ChosenEntry(), 3) << "the first control is read";

  Choose(0);
  Click(IDC_Option2);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_FALSE(site.statusChanges.empty());
  EXPECT_TRUE(site.statusChanges.back() & PROPPAGESTATUS_DIRTY);
  EXPECT_EQ(StateOf(first).halfChance, 3) << "nothing is written before Apply";

  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  const DiceState written = StateOf(first);
  EXPECT_EQ(written.halfChance, 0);
  EXPECT_FALSE(written.resizeable);
  EXPECT_EQ(win::HimetricToTwips(written.extent.cx), 600);
  EXPECT_EQ(win::HimetricToTwips(written.extent.cy), 600);
  const DiceState untouched = StateOf(second);
  EXPECT_EQ(untouched.halfChance, 5);
  EXPECT_TRUE(untouched.resizeable);
}

TEST_F(DicePage, AHalfChanceWithoutAnEntryIsNeverWrittenBack) {
  OddControl odd;
  Open({&odd});
  EXPECT_EQ(ChosenEntry(), CB_ERR);
  EXPECT_TRUE(Checked(IDC_Option1));
  ASSERT_EQ(page->Apply(), S_OK);
  for (const auto& [id, value] : odd.puts) {
    if (id == kHalfChance.dispid) ADD_FAILURE() << "HalfChance written as " << value;
  }
  ASSERT_EQ(odd.puts.size(), 1u);
  EXPECT_EQ(odd.puts[0].first, kResizeable.dispid);

  odd.puts.clear();
  Choose(6);
  ASSERT_EQ(page->Apply(), S_OK);
  ASSERT_EQ(odd.puts.size(), 2u);
  EXPECT_EQ(odd.puts[0], (std::pair<DISPID, LONG>{kHalfChance.dispid, 6}));
  // The stand-in goes with this test; the page must let go of it first.
  page->Deactivate();
  page->SetObjects(0, nullptr);
}

// The frame is modal: a timer of this thread reads its tab and cancels it.
std::wstring g_tabSeen;

BOOL CALLBACK FindTab(HWND child, LPARAM) {
  wchar_t cls[32] = L"";
  ::GetClassNameW(child, cls, 32);
  if (std::wstring(cls) != L"SysTabControl32") return TRUE;
  wchar_t text[32] = L"";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 32;
  ::SendMessageW(child, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  g_tabSeen = text;
  return FALSE;
}

BOOL CALLBACK CloseFrame(HWND top, LPARAM) {
  ::EnumChildWindows(top, &FindTab, 0);
  if (!g_tabSeen.empty()) ::PostMessageW(top, WM_COMMAND, IDCANCEL, 0);
  return g_tabSeen.empty();
}

void CALLBACK LookForFrame(HWND, UINT, UINT_PTR, DWORD) { ::EnumThreadWindows(::GetCurrentThreadId(), &CloseFrame, 0); }

TEST_F(DicePage, ThePropertyFrameShowsThePage) {
  const auto dice = NewDice(2, true);
  IUnknown* objects[] = {dice.get()};
  CLSID pages[] = {CLSID_DiceProperty};
  g_tabSeen.clear();
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, &LookForFrame);
  const HRESULT hr = ::OleCreatePropertyFrame(frame.get(), 0, 0, L"Dice", 1, objects, 1, pages,
                                              LOCALE_USER_DEFAULT, 0, nullptr);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(g_tabSeen, L"通用");
}

}  // namespace
