#include "app/message_pump.h"

#include <windows.h>

#include "app/dialog_navigation.h"

namespace app {

void DoEvents() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (TranslateDialogMessage(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
}

}  // namespace app
