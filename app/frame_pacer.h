#pragma once
// Paces the board loop to a steady frame rate without spinning: between two
// frames it processes window events as they come and otherwise sleeps.
#include <chrono>
#include <functional>

#include "app/frame_clock.h"

namespace app {

inline constexpr int kFramesPerSecond = 60;
inline constexpr auto kFramePeriod =
    std::chrono::duration_cast<FrameClock::duration>(std::chrono::microseconds(1'000'000 / kFramesPerSecond));

class FramePacer {
 public:
  explicit FramePacer(FrameClock& clock, FrameClock::duration period = kFramePeriod)
      : clock_(clock), period_(period) {}

  // Processes all pending events once, then goes on processing events as
  // they arrive until the next frame is due or keepGoing turns false. A
  // frame late after a stall starts the count afresh: no burst of frames
  // to catch up.
  void ProcessEventsUntilNextFrame(const std::function<void()>& doEvents,
                                   const std::function<bool()>& keepGoing);

 private:
  FrameClock& clock_;
  FrameClock::duration period_;
  FrameClock::time_point next_{};
  bool started_ = false;
};

}  // namespace app
