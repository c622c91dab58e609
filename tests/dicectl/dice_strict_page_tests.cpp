// The property page given one selection after another, as a frame does
// when the designer picks other controls, changed by hand, shown by the
// system's property frame, and a frame's errors. What the page shows for a
// selection is what Apply writes to it, so a value left over from an
// earlier selection would be written as if chosen.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>
#include <commctrl.h>

#include <cstdlib>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "common/unique_handle.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_interface.h"
#include "dicectl/dice_property_ids.h"
#include "dicectl/dice_size.h"
#include "dicectl/tumbix.h"
#include "strict/hosted_dice.h"
#include "strict/strict_test.h"
#include "support/dice_host.h"

namespace {

using namespace dicectl::dice_property;

win::com_ptr<IUnknown> NewDice(DiceSixNumber halfChance, bool resizeable) {
  const auto dice = dicectl_tests::NewDice<_Dice>();
  if (!dice) return nullptr;
  dice->put_HalfChance(halfChance);
  dice->put_Resizeable(resizeable ? VARIANT_TRUE : VARIANT_FALSE);
  return dice.query<IUnknown>();
}

struct Properties {
  DiceSixNumber halfChance{};
  bool resizeable = false;
  int heightTwips = 0;
};

Properties PropertiesOf(const win::com_ptr<IUnknown>& control) {
  Properties p;
  const auto dice = control.query<_Dice>();
  VARIANT_BOOL resizeable = VARIANT_FALSE;
  dice->get_HalfChance(&p.halfChance);
  dice->get_Resizeable(&resizeable);
  p.resizeable = resizeable != VARIANT_FALSE;
  SIZEL extent{};
  control.query<IOleObject>()->GetExtent(DVASPECT_CONTENT, &extent);
  p.heightTwips = win::HimetricToTwips(extent.cy);
  return p;
}

// A selected object whose HalfChance has no entry in the list and whose
// Resizeable cannot be read; it records what is written to it.
class OddControl final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
  STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT*) override {
    if (flags & DISPATCH_PROPERTYPUT) {
      win::unique_variant v;
      ::VariantChangeType(v.get(), &params->rgvarg[0], 0, VT_I4);
      puts.emplace_back(id, V_I4(v.get()));
      return S_OK;
    }
    if (id != dicectl::kHalfChance.dispid) return E_FAIL;
    V_VT(result) = VT_I4;
    V_I4(result) = dicectl::kLastFace + 3;
    return S_OK;
  }
  std::vector<std::pair<DISPID, LONG>> puts;
  LONG refs = 1;
};

class DicePageStrict : public dicectl_tests::StrictTest {
 protected:
  void SetUp() override {
    ASSERT_EQ(::CoCreateInstance(CLSID_DiceProperty, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()),
              S_OK);
    ASSERT_EQ(page->SetPageSite(&site), S_OK);
  }
  void TearDown() override {
    if (page) {
      page->Deactivate();
      page->SetObjects(0, nullptr);
      page->SetPageSite(nullptr);
      page.reset();
    }
    StrictTest::TearDown();
  }

  void Select(std::vector<IUnknown*> objects) {
    ASSERT_EQ(page->SetObjects(static_cast<ULONG>(objects.size()), objects.data()), S_OK);
  }
  void Open() {
    const RECT area{0, 0, 300, 160};
    ASSERT_EQ(page->Activate(frame.get(), &area, TRUE), S_OK);
    window = ::GetWindow(frame.get(), GW_CHILD);
    ASSERT_NE(window, nullptr);
  }
  void Close() { ASSERT_EQ(page->Deactivate(), S_OK); }
  // What picking an entry with the mouse does: select it, tell the page.
  void Choose(int entry) {
    ::SendDlgItemMessageW(window, IDC_Combo1, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_Combo1, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, IDC_Combo1)));
  }
  int ChosenEntry() const { return static_cast<int>(::SendDlgItemMessageW(window, IDC_Combo1, CB_GETCURSEL, 0, 0)); }
  // Which option button is selected: 1, 2, or 0 for neither.
  int Option() const {
    const bool one = ::IsDlgButtonChecked(window, IDC_Option1) == BST_CHECKED;
    const bool two = ::IsDlgButtonChecked(window, IDC_Option2) == BST_CHECKED;
    return one && !two ? 1 : two && !one ? 2 : 0;
  }

  win::unique_hwnd frame{::CreateWindowExW(WS_EX_CONTROLPARENT, L"STATIC", L"frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                           0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr)};
  testing_support::PageSite site;
  win::com_ptr<IPropertyPage> page;
  HWND window = nullptr;
};

TEST_F(DicePageStrict, EachSelectionShowsItsOwnValuesAndApplyWritesThemThere) {
  const auto resizeable = NewDice(Dice3, true);
  const auto fixed = NewDice(Dice5, false);
  ASSERT_TRUE(resizeable && fixed);

  Select({resizeable.get()});
  Open();
  EXPECT_EQ(ChosenEntry(), Dice3);
  EXPECT_EQ(Option(), 1);
  Select({fixed.get()});
  EXPECT_EQ(ChosenEntry(), Dice5);
  EXPECT_EQ(Option(), 2) << "a fixed control shows 大小不可变";
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  EXPECT_TRUE(site.statusChanges.empty());

  ASSERT_EQ(page->Apply(), S_OK);
  const Properties written = PropertiesOf(fixed);
  EXPECT_EQ(written.halfChance, Dice5);
  EXPECT_FALSE(written.resizeable) << "Apply wrote a value the designer never chose";
  EXPECT_EQ(written.heightTwips, dicectl::kDesignSizeTwips);
  const Properties untouched = PropertiesOf(resizeable);
  EXPECT_EQ(untouched.halfChance, Dice3);
  EXPECT_TRUE(untouched.resizeable);
  Close();

  // Selections handed over while the page's window is down show when it opens.
  for (const auto& [earlier, later, option] : {std::tuple{resizeable, fixed, 2}, std::tuple{fixed, resizeable, 1}}) {
    Select({earlier.get()});
    Select({later.get()});
    Open();
    EXPECT_EQ(Option(), option);
    Close();
  }
}

TEST_F(DicePageStrict, ChangesByHandAreWrittenOnApplyToTheFirstControlOnly) {
  const auto first = NewDice(Dice3, true);
  const auto second = NewDice(Dice5, true);
  ASSERT_TRUE(first && second);
  Select({first.get(), second.get()});
  Open();
  EXPECT_EQ(ChosenEntry(), Dice3) << "the first control is read";
  // The captions are in a readable 9-point Chinese face.
  LOGFONTW font{};
  ASSERT_TRUE(::GetObjectW(reinterpret_cast<HFONT>(::SendDlgItemMessageW(window, IDC_Label1, WM_GETFONT, 0, 0)),
                           sizeof font, &font));
  EXPECT_STREQ(font.lfFaceName, L"宋体");
  EXPECT_EQ(std::abs(font.lfHeight), ::MulDiv(9, win::ScreenDpiY(), 72));

  Choose(NoHalfChance);
  ::SendDlgItemMessageW(window, IDC_Option2, BM_CLICK, 0, 0);
  EXPECT_EQ(page->IsPageDirty(), S_OK);
  ASSERT_FALSE(site.statusChanges.empty());
  EXPECT_TRUE(site.statusChanges.back() & PROPPAGESTATUS_DIRTY);
  EXPECT_EQ(PropertiesOf(first).halfChance, Dice3) << "nothing is written before Apply";
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(page->IsPageDirty(), S_FALSE);
  const Properties written = PropertiesOf(first);
  EXPECT_EQ(written.halfChance, NoHalfChance);
  EXPECT_FALSE(written.resizeable);
  EXPECT_EQ(written.heightTwips, dicectl::kDesignSizeTwips);
  EXPECT_EQ(PropertiesOf(second).halfChance, Dice5);
  EXPECT_TRUE(PropertiesOf(second).resizeable);
}

// A HalfChance with no entry is never written back; a Resizeable that
// cannot be read leaves the option buttons as they are.
TEST_F(DicePageStrict, ValuesWithoutAnEntryLeaveThePageAsItWasAndWriteNoFace) {
  const auto fixed = NewDice(Dice5, false);
  ASSERT_TRUE(fixed);
  Select({fixed.get()});
  Open();
  ASSERT_EQ(Option(), 2);

  OddControl odd;
  Select({&odd});
  EXPECT_EQ(ChosenEntry(), CB_ERR) << "no entry is chosen";
  EXPECT_EQ(Option(), 2);
  ASSERT_EQ(page->Apply(), S_OK);
  using Puts = std::vector<std::pair<DISPID, LONG>>;
  EXPECT_EQ(odd.puts, (Puts{{dicectl::kResizeable.dispid, VARIANT_FALSE}}));
  odd.puts.clear();
  Choose(Dice6);
  ASSERT_EQ(page->Apply(), S_OK);
  EXPECT_EQ(odd.puts, (Puts{{dicectl::kHalfChance.dispid, Dice6}, {dicectl::kResizeable.dispid, VARIANT_FALSE}}));
  Select({});
  EXPECT_EQ(odd.refs, 1) << "an empty selection releases the objects";
  EXPECT_EQ(PropertiesOf(fixed).halfChance, Dice5);
}

TEST_F(DicePageStrict, OneSiteAtATime) {
  testing_support::PageSite other;
  EXPECT_EQ(page->SetPageSite(&other), E_UNEXPECTED) << "a second site without taking back the first";
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(page->SetPageSite(&other), S_OK);
  EXPECT_EQ(page->SetPageSite(nullptr), S_OK);
  EXPECT_EQ(page->SetPageSite(&site), S_OK);
}

// The frame is modal: a timer of this thread reads its tab and cancels it.
// The callbacks are functions of their own, as a lambda has no stdcall
// pointer on i686.
std::wstring g_tabSeen;
constexpr UINT kFramePollMs = 200;

BOOL CALLBACK ReadTab(HWND child, LPARAM) {
  wchar_t text[32] = L"";
  if (!::GetClassNameW(child, text, std::size(text)) || std::wstring(text) != WC_TABCONTROLW) return TRUE;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = std::size(text);
  ::SendMessageW(child, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  g_tabSeen = text;
  return FALSE;
}

BOOL CALLBACK CloseFrame(HWND top, LPARAM) {
  ::EnumChildWindows(top, &ReadTab, 0);
  if (!g_tabSeen.empty()) ::PostMessageW(top, WM_COMMAND, IDCANCEL, 0);
  return g_tabSeen.empty();
}

void CALLBACK CloseFrameOnTimer(HWND, UINT, UINT_PTR, DWORD) {
  ::EnumThreadWindows(::GetCurrentThreadId(), &CloseFrame, 0);
}

TEST_F(DicePageStrict, ThePropertyFrameShowsThePageUnderItsTitle) {
  const auto dice = NewDice(Dice2, true);
  ASSERT_TRUE(dice);
  IUnknown* objects[] = {dice.get()};
  CLSID pages[] = {CLSID_DiceProperty};
  g_tabSeen.clear();
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kFramePollMs, &CloseFrameOnTimer);
  EXPECT_EQ(::OleCreatePropertyFrame(frame.get(), 0, 0, L"Dice", 1, objects, 1, pages, LOCALE_USER_DEFAULT, 0, nullptr),
            S_OK);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_tabSeen, L"通用");
}

}  // namespace
