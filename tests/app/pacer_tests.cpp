// The board loop's pacing, on a clock the test steps by hand.
#include <gtest/gtest.h>

#include <chrono>

#include "app/frame_pacer.h"
#include "support/fakes.h"

using namespace std::chrono_literals;
using testing_support::ManualClock;

namespace {

TEST(FramePacer, ProcessesEventsAtOnceThenWaitsOutTheFrame) {
  ManualClock clock;
  app::FramePacer pacer(clock, 16ms);
  int events = 0;
  const auto start = clock.now;
  for (int frame = 1; frame <= 3; ++frame) {
    const int before = events;
    pacer.ProcessEventsUntilNextFrame([&] { ++events; }, [] { return true; });
    EXPECT_GE(events, before + 2) << "once at once, again after each wait";
    EXPECT_EQ(clock.now - start, frame * 16ms);
  }
}

TEST(FramePacer, AWorkFrameLeavesOnlyTheRestOfThePeriodToWait) {
  ManualClock clock;
  app::FramePacer pacer(clock, 16ms);
  pacer.ProcessEventsUntilNextFrame([] {}, [] { return true; });
  clock.now += 10ms;  // drawing the frame took 10 ms
  clock.waits.clear();
  pacer.ProcessEventsUntilNextFrame([] {}, [] { return true; });
  EXPECT_EQ(clock.waits, std::vector<app::FrameClock::duration>{6ms});
}

TEST(FramePacer, NoBurstOfFramesAfterAStall) {
  ManualClock clock;
  app::FramePacer pacer(clock, 16ms);
  pacer.ProcessEventsUntilNextFrame([] {}, [] { return true; });
  clock.now += 500ms;  // a modal dialog held the loop
  clock.waits.clear();
  pacer.ProcessEventsUntilNextFrame([] {}, [] { return true; });
  EXPECT_TRUE(clock.waits.empty()) << "the late frame runs at once";
  pacer.ProcessEventsUntilNextFrame([] {}, [] { return true; });
  EXPECT_EQ(clock.waits, std::vector<app::FrameClock::duration>{16ms}) << "then a full period";
}

TEST(FramePacer, StopsWaitingAsSoonAsAnEventEndsTheLoop) {
  ManualClock clock;
  app::FramePacer pacer(clock, 16ms);
  bool running = true;
  int events = 0;
  pacer.ProcessEventsUntilNextFrame(
      [&] {
        if (++events == 1) running = false;
      },
      [&] { return running; });
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(clock.waits.empty());
}

}  // namespace
