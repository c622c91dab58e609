// The registered dice control in a real host window: rolls with their
// events and timings, sizing, property notices, persistence, and what a
// hundred controls leave behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "dicectl/dice_ids.h"
#include "dicectl/tumbix.h"
#include "support/dice_host.h"
#include "support/gui.h"

namespace {

using testing_support::DiceHost;
using testing_support::NowMs;
using testing_support::PumpUntil;
using namespace dicectl;

constexpr DWORD kRollLimitMs = 6000;

VARIANT Int(LONG v) {
  VARIANT r;
  V_VT(&r) = VT_I4;
  V_I4(&r) = v;
  return r;
}

VARIANT Bool(bool v) {
  VARIANT r;
  V_VT(&r) = VT_BOOL;
  V_BOOL(&r) = v ? VARIANT_TRUE : VARIANT_FALSE;
  return r;
}

class DiceControl : public ::testing::Test {
 protected:
  win::ole_init ole;
};

TEST_F(DiceControl, RunRaisesStartDiceThenEndDiceOnTheFaceShown) {
  DiceHost host;
  ASSERT_TRUE(host.ok()) << "Tumbix.Dice must be registered";
  EXPECT_EQ(host.FaceShown(), 1) << "a new die shows face one";

  const double start = NowMs();
  ASSERT_EQ(host.Run(), S_OK);
  EXPECT_EQ(host.Count(kDispidStartDice), 0) << "StartDice waits for the first tick";
  // Run again in the middle of the roll: nothing restarts.
  ASSERT_TRUE(PumpUntil([&] { return NowMs() - start > 1000; }, kRollLimitMs));
  EXPECT_EQ(host.Run(), S_OK);
  ASSERT_TRUE(PumpUntil([&] { return host.Ended(); }, kRollLimitMs));
  const int shownAtEnd = host.FaceShown();

  ASSERT_EQ(host.events().size(), 2u);
  const auto& started = host.events()[0];
  const auto& ended = host.events()[1];
  EXPECT_EQ(started.id, kDispidStartDice);
  EXPECT_EQ(ended.id, kDispidEndDice);
  std::printf("StartDice after %.0f ms, EndDice after %.0f ms\n", started.atMs - start, ended.atMs - start);
  EXPECT_GT(started.atMs - start, 30);
  EXPECT_LT(started.atMs - start, 200);
  EXPECT_GT(ended.atMs - start, 3300);
  EXPECT_LT(ended.atMs - start, 4300);
  EXPECT_GE(ended.argument, 1);
  EXPECT_LE(ended.argument, 6);
  EXPECT_EQ(shownAtEnd, ended.argument);
  // The timer is stopped: the face stays.
  testing_support::PumpFor(300);
  EXPECT_EQ(host.FaceShown(), ended.argument);
  EXPECT_EQ(host.events().size(), 2u);
}

TEST_F(DiceControl, AClickEndsTheRollThreeTicksLater) {
  {
    SCOPED_TRACE("during the fast phase");
    DiceHost host;
    ASSERT_TRUE(host.ok());
    host.Run();
    ASSERT_TRUE(PumpUntil([&] { return host.Count(kDispidStartDice) == 1; }, kRollLimitMs));
    testing_support::PumpFor(300);
    const double clicked = NowMs();
    host.Click();
    ASSERT_TRUE(PumpUntil([&] { return host.Ended(); }, kRollLimitMs));
    const double after = host.events().back().atMs - clicked;
    std::printf("EndDice %.0f ms after the click\n", after);
    EXPECT_GT(after, 380);
    EXPECT_LT(after, 560);
    EXPECT_EQ(host.FaceShown(), host.events().back().argument);
  }
  {
    SCOPED_TRACE("while idle, then Run");
    DiceHost host;
    ASSERT_TRUE(host.ok());
    host.Click();
    testing_support::PumpFor(200);
    EXPECT_TRUE(host.events().empty()) << "a click alone starts nothing";
    const double start = NowMs();
    host.Run();
    ASSERT_TRUE(PumpUntil([&] { return host.Ended(); }, kRollLimitMs));
    EXPECT_EQ(host.Count(kDispidStartDice), 0);
    const double after = host.events().back().atMs - start;
    std::printf("primed die: EndDice %.0f ms after Run\n", after);
    EXPECT_GT(after, 380);
    EXPECT_LT(after, 560);
  }
}

TEST_F(DiceControl, TwoDiceRollSideBySide) {
  DiceHost first(1320, 120, 735, 735);
  DiceHost second(2670, 120, 735, 735);
  ASSERT_TRUE(first.ok() && second.ok());
  first.Run();
  second.Run();
  ASSERT_TRUE(PumpUntil([&] { return first.Ended() && second.Ended(); }, kRollLimitMs));
  EXPECT_EQ(first.Count(kDispidStartDice), 1);
  EXPECT_EQ(second.Count(kDispidStartDice), 1);
}

TEST_F(DiceControl, SizingKeepsTheDieSquareOrAtItsDesignSize) {
  DiceHost host(1320, 120, 735, 735);
  ASSERT_TRUE(host.ok());
  EXPECT_EQ(host.ExtentTwips().cx, 735);
  RECT r;
  ::GetWindowRect(host.site().Window(), &r);
  EXPECT_EQ(r.right - r.left, win::TwipsToPixelsX(735));

  ASSERT_EQ(host.site().Resize(900, 600), S_OK);
  EXPECT_EQ(host.ExtentTwips().cx, 600) << "the height decides";
  EXPECT_EQ(host.ExtentTwips().cy, 600);
  host.site().Resize(600, 900);
  EXPECT_EQ(host.ExtentTwips().cx, 900);
  EXPECT_EQ(host.ExtentTwips().cy, 900);
  ::GetWindowRect(host.site().Window(), &r);
  EXPECT_EQ(r.right - r.left, win::TwipsToPixelsX(900)) << "ImgDice fills the control";
  EXPECT_EQ(r.bottom - r.top, win::TwipsToPixelsY(900));

  EXPECT_TRUE(host.changes().empty());
  ASSERT_EQ(host.Put(kResizeable.dispid, Bool(false)), S_OK);
  EXPECT_EQ(host.ExtentTwips().cx, 600) << "fixed at once";
  EXPECT_EQ(host.ExtentTwips().cy, 600);
  host.site().Resize(900, 900);
  EXPECT_EQ(host.ExtentTwips().cx, 600);
  ::GetWindowRect(host.site().Window(), &r);
  EXPECT_EQ(r.right - r.left, win::TwipsToPixelsX(600));

  ASSERT_EQ(host.Put(kResizeable.dispid, Bool(true)), S_OK);
  EXPECT_EQ(host.ExtentTwips().cx, 600) << "True changes no size by itself";
  ASSERT_EQ(host.Put(kHalfChance.dispid, Int(3)), S_OK);
  EXPECT_EQ(host.changes(), (std::vector<DISPID>{kResizeable.dispid, kResizeable.dispid, kHalfChance.dispid}));
}

TEST_F(DiceControl, HalfChanceTakesOnlyFaceNumbers) {
  DiceHost host;
  ASSERT_TRUE(host.ok());
  ASSERT_EQ(host.Put(kHalfChance.dispid, Int(6)), S_OK);
  for (LONG bad : {7, -1, 30000}) {
    EXCEPINFO excep{};
    const HRESULT hr = host.Put(kHalfChance.dispid, Int(bad), &excep);
    EXPECT_TRUE(hr == E_INVALIDARG || (hr == DISP_E_EXCEPTION && excep.scode == E_INVALIDARG)) << std::hex << hr;
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
  }
  VARIANT now = host.Get(kHalfChance.dispid);
  EXPECT_EQ(V_I4(&now), 6);
  EXPECT_EQ(host.changes().size(), 1u) << "a refused value notifies nobody";
}

struct Saved {
  DiceSixNumber halfChance{};
  VARIANT_BOOL resizeable{};
};

Saved PropertiesOf(const win::com_ptr<_Dice>& dice) {
  Saved saved;
  dice->get_HalfChance(&saved.halfChance);
  dice->get_Resizeable(&saved.resizeable);
  return saved;
}

template <class I>
win::com_ptr<I> NewDice() {
  CLSID clsid;
  win::com_ptr<I> dice;
  if (SUCCEEDED(::CLSIDFromProgID(testing_support::kDiceProgId, &clsid)))
    ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, __uuidof(I), dice.put_void());
  return dice;
}

TEST_F(DiceControl, PropertyBagKeepsOnlyWhatDiffersFromTheDefaults) {
  const auto dice = NewDice<_Dice>();
  ASSERT_TRUE(dice);
  const auto persist = dice.query<IPersistPropertyBag>();
  ASSERT_TRUE(persist);
  {
    testing_support::PropertyBag bag;
    ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
    EXPECT_TRUE(bag.values.empty());
  }
  dice->put_HalfChance(Dice4);
  dice->put_Resizeable(VARIANT_FALSE);
  testing_support::PropertyBag bag;
  ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
  EXPECT_EQ(bag.order, (std::vector<std::wstring>{L"HalfChance", L"Resizeable"}));
  EXPECT_EQ(V_VT(bag.values[L"HalfChance"].get()), VT_I4);
  EXPECT_EQ(V_I4(bag.values[L"HalfChance"].get()), 4);
  EXPECT_EQ(V_VT(bag.values[L"Resizeable"].get()), VT_BOOL);
  EXPECT_EQ(V_BOOL(bag.values[L"Resizeable"].get()), VARIANT_FALSE);

  const auto loaded = NewDice<_Dice>();
  ASSERT_EQ(loaded.query<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
  EXPECT_EQ(PropertiesOf(loaded).halfChance, Dice4);
  EXPECT_EQ(PropertiesOf(loaded).resizeable, VARIANT_FALSE);

  // An empty bag gives the defaults; a value of another type is converted.
  testing_support::PropertyBag other;
  V_VT(other.values[L"HalfChance"].get()) = VT_BSTR;
  V_BSTR(other.values[L"HalfChance"].get()) = ::SysAllocString(L"2");
  const auto fresh = NewDice<_Dice>();
  ASSERT_EQ(fresh.query<IPersistPropertyBag>()->Load(&other, nullptr), S_OK);
  EXPECT_EQ(PropertiesOf(fresh).halfChance, Dice2);
  EXPECT_EQ(PropertiesOf(fresh).resizeable, VARIANT_TRUE);
}

TEST_F(DiceControl, StreamsKeepBothProperties) {
  const auto dice = NewDice<_Dice>();
  ASSERT_TRUE(dice);
  dice->put_HalfChance(Dice4);
  dice->put_Resizeable(VARIANT_FALSE);
  win::com_ptr<IStream> stream;
  ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, stream.put()), S_OK);
  const auto persist = dice.query<IPersistStreamInit>();
  EXPECT_EQ(persist->IsDirty(), S_OK);
  ASSERT_EQ(persist->Save(stream.get(), TRUE), S_OK);
  EXPECT_EQ(persist->IsDirty(), S_FALSE);

  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  const auto loaded = NewDice<_Dice>();
  ASSERT_EQ(loaded.query<IPersistStreamInit>()->Load(stream.get()), S_OK);
  EXPECT_EQ(PropertiesOf(loaded).halfChance, Dice4);
  EXPECT_EQ(PropertiesOf(loaded).resizeable, VARIANT_FALSE);

  // A stream that ends early is refused and changes nothing.
  win::com_ptr<IStream> shortStream;
  ::CreateStreamOnHGlobal(nullptr, TRUE, shortStream.put());
  const DWORD format = 1;
  shortStream->Write(&format, sizeof format, nullptr);
  shortStream->Seek(start, STREAM_SEEK_SET, nullptr);
  EXPECT_TRUE(FAILED(loaded.query<IPersistStreamInit>()->Load(shortStream.get())));
  EXPECT_EQ(PropertiesOf(loaded).halfChance, Dice4);
}

TEST_F(DiceControl, AHundredControlsLeaveNothingBehind) {
  using testing_support::GuiObjects;
  const win::unique_hmodule keepLoaded(::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx"));
  // The first roll makes what the platform keeps for the process.
  {
    DiceHost warmUp;
    warmUp.Click();
    warmUp.Run();
    PumpUntil([&] { return warmUp.Ended(); }, kRollLimitMs);
  }
  const GuiObjects before = GuiObjects::Now();
  for (int i = 0; i < 100; ++i) {
    DiceHost host(120, 120, 735, 735);
    ASSERT_TRUE(host.ok());
    if (i % 10 == 0) {
      host.Click();
      host.Run();
      PumpUntil([&] { return host.Ended(); }, kRollLimitMs);
    }
    testing_support::PumpFor(1);
  }
  testing_support::PumpFor(50);
  const GuiObjects after = GuiObjects::Now();
  std::cout << before << " -> " << after << "\n";
  EXPECT_EQ(after, before);

  EXPECT_EQ(testing_support::LibraryCanUnload(keepLoaded.get()), S_OK);
  {
    const auto alive = NewDice<IUnknown>();
    EXPECT_EQ(testing_support::LibraryCanUnload(keepLoaded.get()), S_FALSE) << "a live control keeps the library";
  }
  EXPECT_EQ(testing_support::LibraryCanUnload(keepLoaded.get()), S_OK);
}

}  // namespace

// A client of the control's own architecture that is not ours: the
// system's ATL host creates it by ProgID and activates it in its window.
TEST_F(DiceControl, TheSystemsAtlHostCreatesItByProgId) {
  using Init = BOOL(WINAPI*)();
  using GetControl = HRESULT(WINAPI*)(HWND, IUnknown**);
  // Never unloaded: the host window class it registers lives as long.
  static const win::unique_hmodule atl(::LoadLibraryW(L"atl.dll"));
  ASSERT_TRUE(atl);
  const auto init = reinterpret_cast<Init>(reinterpret_cast<void*>(::GetProcAddress(atl.get(), "AtlAxWinInit")));
  const auto getControl =
      reinterpret_cast<GetControl>(reinterpret_cast<void*>(::GetProcAddress(atl.get(), "AtlAxGetControl")));
  ASSERT_TRUE(init && getControl && init());

  const win::unique_hwnd host(::CreateWindowExW(0, L"AtlAxWin", testing_support::kDiceProgId,
                                                WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 120, 120, nullptr, nullptr,
                                                nullptr, nullptr));
  ASSERT_TRUE(host);
  win::com_ptr<IUnknown> control;
  ASSERT_EQ(getControl(host.get(), control.put()), S_OK);
  const auto persist = control.query<IPersist>();
  ASSERT_TRUE(persist);
  CLSID clsid{};
  ASSERT_EQ(persist->GetClassID(&clsid), S_OK);
  EXPECT_TRUE(::IsEqualCLSID(clsid, CLSID_Dice));
  EXPECT_NE(::GetWindow(host.get(), GW_CHILD), nullptr) << "the die's window, active in place";
}
