// The board loop's pacing, on a clock the test steps by hand.
#include <gtest/gtest.h>

#include <chrono>

#include "app/frame_pacer.h"
#include "support/fakes.h"

using namespace std::chrono_literals;

namespace {

using Waits = std::vector<app::FrameClock::duration>;

class FramePacerTest : public ::testing::Test {
 protected:
  // One frame's wait, with `work` spent before it; the waits it made.
  Waits Frame(app::FrameClock::duration work = {}) {
    clock.now += work;
    clock.waits.clear();
    pacer.ProcessEventsUntilNextFrame([&] { ++events; }, [] { return true; });
    return clock.waits;
  }

  testing_support::ManualClock clock;
  app::FramePacer pacer{clock, 16ms};
  int events = 0;
};

// Events are processed at once and again after each wait; drawing time
// shortens the wait, and after a stall the late frame runs at once.
TEST_F(FramePacerTest, WaitsOutTheRestOfTheFrameWithoutBurstsAfterAStall) {
  EXPECT_EQ(Frame(), Waits{16ms});
  EXPECT_GE(events, 2);
  EXPECT_EQ(Frame(10ms), Waits{6ms});
  EXPECT_TRUE(Frame(500ms).empty());
  EXPECT_EQ(Frame(), Waits{16ms}) << "then a full period";
}

TEST_F(FramePacerTest, StopsWaitingAsSoonAsAnEventEndsTheLoop) {
  bool running = true;
  pacer.ProcessEventsUntilNextFrame([&] { running = ++events > 1; }, [&] { return running; });
  EXPECT_EQ(events, 1);
  EXPECT_TRUE(clock.waits.empty());
}

}  // namespace
