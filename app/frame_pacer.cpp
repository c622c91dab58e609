#include "app/frame_pacer.h"

namespace app {

void FramePacer::ProcessEventsUntilNextFrame(const std::function<void()>& doEvents,
                                             const std::function<bool()>& keepGoing) {
  doEvents();
  auto now = clock_.Now();
  if (!started_) {
    next_ = now;
    started_ = true;
  }
  next_ += period_;
  if (next_ < now) next_ = now;
  while (now < next_ && keepGoing()) {
    clock_.WaitForEvents(next_ - now);
    doEvents();
    now = clock_.Now();
  }
}

}  // namespace app
