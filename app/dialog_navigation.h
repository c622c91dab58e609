#pragma once
// Keyboard navigation (Tab between controls) for the program's non-modal
// windows, whose messages arrive through the board loop's event processing.
#include <windows.h>

namespace app {

// A window whose controls Tab should move between while it exists.
void RegisterDialogWindow(HWND hwnd);
void UnregisterDialogWindow(HWND hwnd);

// True when the message was a navigation key for one of those windows and
// has been handled.
bool TranslateDialogMessage(MSG& msg);

}  // namespace app
