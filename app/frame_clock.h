#pragma once
// Time for the board loop's pacing, as a seam: the program waits on the
// real clock and its message queue, tests step a clock of their own.
#include <chrono>

namespace app {

class FrameClock {
 public:
  using time_point = std::chrono::steady_clock::time_point;
  using duration = std::chrono::steady_clock::duration;

  virtual ~FrameClock() = default;
  virtual time_point Now() = 0;
  // Returns when a window event arrives or the time has passed.
  virtual void WaitForEvents(duration timeout) = 0;
};

// Holds the system timer at 1 ms for its life, so that waits of a few
// milliseconds end on time rather than on the default 15.6 ms tick.
class SystemFrameClock final : public FrameClock {
 public:
  SystemFrameClock();
  ~SystemFrameClock() override;
  SystemFrameClock(const SystemFrameClock&) = delete;
  SystemFrameClock& operator=(const SystemFrameClock&) = delete;
  time_point Now() override { return std::chrono::steady_clock::now(); }
  void WaitForEvents(duration timeout) override;
};

}  // namespace app
