#pragma once
// The dialogs another process puts up: message boxes and the printer
// dialog, both of the system's dialog class.
#include <windows.h>

#include <optional>
#include <string>

namespace remote {

struct MessageBoxSeen {
  HWND hwnd;
  std::wstring text;
};

// The process's message box, if one is up.
std::optional<MessageBoxSeen> FindMessageBox(DWORD pid);

// The process's printer dialog (a dialog with a list of printers), if up.
HWND FindPrinterDialog(DWORD pid);

// Presses the dialog's button as a person would; false if it has none.
bool PressButton(HWND dialog, int id);

}  // namespace remote
