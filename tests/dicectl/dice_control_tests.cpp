// The registered dice control in the program's own control site, with the
// real timer: rolls with their events and timings, sizing through the
// site, what a hundred controls leave behind, and the system's ATL host as
// a client of another make.
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
using testing_support::PumpFor;
using testing_support::PumpUntil;
using namespace dicectl;

constexpr DWORD kRollLimitMs = 6000;

class DiceControl : public ::testing::Test {
 protected:
  win::ole_init ole;
};

// The roll's rules are the roll's tests; this proves the window runs them
// on its own timer, one per die: the fast ticks, then the slow ones.
TEST_F(DiceControl, RunRaisesStartDiceThenEndDiceOnTheFaceShown) {
  DiceHost first(1320, 120, 735, 735);
  DiceHost second(2670, 120, 735, 735);
  ASSERT_TRUE(first.ok() && second.ok()) << "Tumbix.Dice must be registered";
  EXPECT_EQ(first.FaceShown(), kFirstFace) << "a new die shows face one";

  const double start = testing_support::NowMs();
  ASSERT_EQ(first.Run(), S_OK);
  ASSERT_EQ(second.Run(), S_OK);
  EXPECT_TRUE(first.events().empty()) << "StartDice waits for the first tick";
  ASSERT_TRUE(PumpUntil([&] { return first.Ended() && second.Ended(); }, kRollLimitMs));
  for (const DiceHost* host : {&first, &second}) {
    ASSERT_EQ(host->events().size(), 2u);
    const auto& started = host->events()[0];
    const auto& ended = host->events()[1];
    EXPECT_EQ(started.id, kDispidStartDice);
    EXPECT_EQ(ended.id, kDispidEndDice);
    std::printf("StartDice after %.0f ms, EndDice after %.0f ms\n", started.atMs - start, ended.atMs - start);
    EXPECT_LT(started.atMs - start, 200);
    EXPECT_GT(ended.atMs - start, 3300);
    EXPECT_LT(ended.atMs - start, 4300);
    EXPECT_EQ(host->FaceShown(), ended.argument);
  }
  PumpFor(300);
  EXPECT_EQ(first.FaceShown(), first.events()[1].argument) << "the timer is stopped: the face stays";
  EXPECT_EQ(first.events().size(), 2u);
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
  ASSERT_EQ(host.site().Resize(600, 900), S_OK);
  expectSize(900, "the height decides");

  const auto dice = win::com_ptr<IDispatch>(host.dice()).query<_Dice>();
  ASSERT_EQ(dice->put_Resizeable(VARIANT_FALSE), S_OK);
  expectSize(kDesignSizeTwips, "fixed at once");
  host.site().Resize(900, 900);
  expectSize(kDesignSizeTwips, "fixed");
  ASSERT_EQ(dice->put_Resizeable(VARIANT_TRUE), S_OK);
  expectSize(kDesignSizeTwips, "True changes no size by itself");
  EXPECT_EQ(host.changes(), (std::vector<DISPID>{kResizeable.dispid, kResizeable.dispid}));
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
  const auto roll = [](DiceHost& host) {
    host.Click();
    host.Run();
    PumpUntil([&] { return host.Ended(); }, kRollLimitMs);
  };
  // The first roll makes what the platform keeps for the process.
  {
    DiceHost warmUp;
    roll(warmUp);
  }
  const GuiObjects before = GuiObjects::Now();
  for (int i = 0; i < 100; ++i) {
    DiceHost host(120, 120, 735, 735);
    ASSERT_TRUE(host.ok());
    if (i % 10 == 0) roll(host);
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
