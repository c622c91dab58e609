#include "app/frame_clock.h"

#include <windows.h>
#include <mmsystem.h>

namespace app {
namespace {
constexpr UINT kTimerResolutionMs = 1;
}

SystemFrameClock::SystemFrameClock() { ::timeBeginPeriod(kTimerResolutionMs); }
SystemFrameClock::~SystemFrameClock() { ::timeEndPeriod(kTimerResolutionMs); }

void SystemFrameClock::WaitForEvents(duration timeout) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(timeout).count();
  if (ms <= 0) return;
  // MWMO_INPUTAVAILABLE: also wake for messages that a peek has already seen.
  ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms), QS_ALLINPUT,
                                MWMO_INPUTAVAILABLE);
}

}  // namespace app
