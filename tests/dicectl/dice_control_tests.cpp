// The registered dice control in the program's own control site, with the
// real timer: rolls with their events and timings, sizing through the
// site, refused values, what a hundred controls leave behind, and the
// system's ATL host as a client of another make.
#include <gtest/gtest.h>

#include <cstdio>
#include <iostream>
#include <new>
#include <stdexcept>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_size.h"
#include "dicectl/tumbix.h"
#include "support/dice_host.h"
#include "support/gui.h"

namespace {

using testing_support::DiceHost;
using testing_support::NowMs;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using namespace dicectl;

constexpr DWORD kRollLimitMs = 6000;
// A click ends the roll after the three slow ticks of the ending phase.
constexpr double kAfterClickMs[] = {380, 560};

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
  EXPECT_EQ(host.FaceShown(), kFirstFace) << "a new die shows face one";

  const double start = NowMs();
  ASSERT_EQ(host.Run(), S_OK);
  EXPECT_EQ(host.Count(kDispidStartDice), 0) << "StartDice waits for the first tick";
  ASSERT_TRUE(PumpUntil([&] { return NowMs() - start > 1000; }, kRollLimitMs));
  EXPECT_EQ(host.Run(), S_OK) << "Run in the middle of a roll restarts nothing";
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
  EXPECT_GE(ended.argument, kFirstFace);
  EXPECT_LE(ended.argument, kLastFace);
  EXPECT_EQ(shownAtEnd, ended.argument);
  PumpFor(300);
  EXPECT_EQ(host.FaceShown(), ended.argument) << "the timer is stopped: the face stays";
  EXPECT_EQ(host.events().size(), 2u);
}

// A click in the fast phase, and a click while idle followed by Run.
TEST_F(DiceControl, AClickEndsTheRollThreeSlowTicksLater) {
  for (const bool rolling : {true, false}) {
    SCOPED_TRACE(rolling ? "during the fast phase" : "while idle, then Run");
    DiceHost host;
    ASSERT_TRUE(host.ok());
    if (rolling) {
      host.Run();
      ASSERT_TRUE(PumpUntil([&] { return host.Count(kDispidStartDice) == 1; }, kRollLimitMs));
      PumpFor(300);
    }
    double from = NowMs();
    host.Click();
    if (!rolling) {
      PumpFor(200);
      EXPECT_TRUE(host.events().empty()) << "a click alone starts nothing";
      from = NowMs();
      host.Run();
    }
    ASSERT_TRUE(PumpUntil([&] { return host.Ended(); }, kRollLimitMs));
    const double after = host.events().back().atMs - from;
    std::printf("EndDice %.0f ms after the click or Run\n", after);
    EXPECT_GT(after, kAfterClickMs[0]);
    EXPECT_LT(after, kAfterClickMs[1]);
    EXPECT_EQ(host.Count(kDispidStartDice), rolling ? 1 : 0);
    EXPECT_EQ(host.FaceShown(), host.events().back().argument);
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

TEST_F(DiceControl, TheSiteSizesTheDieSquareOrAtItsDesignSize) {
  DiceHost host(1320, 120, 735, 735);
  ASSERT_TRUE(host.ok());
  const auto expectSize = [&](int twips, const char* why) {
    EXPECT_EQ(host.ExtentTwips().cx, twips) << why;
    EXPECT_EQ(host.ExtentTwips().cy, twips) << why;
    RECT r;
    ::GetWindowRect(host.site().Window(), &r);
    EXPECT_EQ(r.right - r.left, win::TwipsToPixelsX(twips)) << "ImgDice fills the control: " << why;
    EXPECT_EQ(r.bottom - r.top, win::TwipsToPixelsY(twips)) << why;
  };
  expectSize(735, "as placed");
  ASSERT_EQ(host.site().Resize(900, 600), S_OK);
  expectSize(600, "the height decides");
  host.site().Resize(600, 900);
  expectSize(900, "the height decides");

  EXPECT_TRUE(host.changes().empty());
  ASSERT_EQ(host.Put(kResizeable.dispid, Bool(false)), S_OK);
  expectSize(kDesignSizeTwips, "fixed at once");
  host.site().Resize(900, 900);
  expectSize(kDesignSizeTwips, "fixed");
  ASSERT_EQ(host.Put(kResizeable.dispid, Bool(true)), S_OK);
  expectSize(kDesignSizeTwips, "True changes no size by itself");
  ASSERT_EQ(host.Put(kHalfChance.dispid, Int(3)), S_OK);
  EXPECT_EQ(host.changes(), (std::vector<DISPID>{kResizeable.dispid, kResizeable.dispid, kHalfChance.dispid}));
}

TEST_F(DiceControl, HalfChanceTakesOnlyFaceNumbers) {
  DiceHost host;
  ASSERT_TRUE(host.ok());
  ASSERT_EQ(host.Put(kHalfChance.dispid, Int(kLastFace)), S_OK);
  for (LONG bad : {kLastFace + 1, -1, 30000}) {
    EXCEPINFO excep{};
    const HRESULT hr = host.Put(kHalfChance.dispid, Int(bad), &excep);
    EXPECT_TRUE(hr == E_INVALIDARG || (hr == DISP_E_EXCEPTION && excep.scode == E_INVALIDARG)) << std::hex << hr;
    ::SysFreeString(excep.bstrSource);
    ::SysFreeString(excep.bstrDescription);
    ::SysFreeString(excep.bstrHelpFile);
  }
  VARIANT now = host.Get(kHalfChance.dispid);
  EXPECT_EQ(V_I4(&now), kLastFace);
  EXPECT_EQ(host.changes().size(), 1u) << "a refused value notifies nobody";
}

// A handler of the program's that throws stays inside the site: the control
// that called hears a failure, not a C++ exception, and goes on working.
TEST_F(DiceControl, AThrowingHandlerStaysInsideTheSite) {
  const win::unique_hwnd window(
      ::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr));
  const auto site = app::OleControlSite::Create(
      window.get(), kDiceProgId, {0, 0, kDesignSizeTwips, kDesignSizeTwips},
      [](DISPID, const DISPPARAMS&) { throw std::bad_alloc(); }, [](DISPID) { throw std::runtime_error("handler"); });
  ASSERT_TRUE(site);
  EXPECT_EQ(static_cast<IPropertyNotifySink*>(site.get())->OnChanged(kHalfChance.dispid), E_FAIL);
  win::com_ptr<_Dice> dice = win::com_ptr<IDispatch>(site->Control()).query<_Dice>();
  ASSERT_EQ(dice->put_HalfChance(Dice3), S_OK);
  DiceSixNumber now{};
  EXPECT_EQ(dice->get_HalfChance(&now), S_OK);
  EXPECT_EQ(now, Dice3);
  site->Close();
}

TEST_F(DiceControl, AHundredControlsLeaveNothingBehind) {
  using testing_support::GuiObjects;
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
    PumpFor(1);
  }
  PumpFor(50);
  const GuiObjects after = GuiObjects::Now();
  std::cout << before << " -> " << after << "\n";
  EXPECT_EQ(after, before);
}

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

  const win::unique_hwnd host(::CreateWindowExW(0, L"AtlAxWin", kDiceProgId, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                                120, 120, nullptr, nullptr, nullptr, nullptr));
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

}  // namespace
