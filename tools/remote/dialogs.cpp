#include "remote/dialogs.h"

#include "remote/process_windows.h"

namespace remote {
namespace {

constexpr UINT kClickTimeoutMs = 5000;

// A message box holds labels and buttons only; the printer dialog also
// lists the printers.
bool ListsChoices(HWND dialog) { return !ChildrenOfClass(dialog, L"ComboBox").empty(); }

}  // namespace

std::optional<MessageBoxSeen> FindMessageBox(DWORD pid) {
  for (HWND dialog : TopLevelOf(pid, kDialogClass)) {
    if (ListsChoices(dialog)) continue;
    std::wstring text;
    for (HWND label : ChildrenOfClass(dialog, L"Static")) text += TextOf(label);
    return MessageBoxSeen{dialog, text};
  }
  return std::nullopt;
}

HWND FindPrinterDialog(DWORD pid) {
  for (HWND dialog : TopLevelOf(pid, kDialogClass))
    if (ListsChoices(dialog)) return dialog;
  return nullptr;
}

bool PressButton(HWND dialog, int id) {
  HWND button = ::GetDlgItem(dialog, id);
  DWORD_PTR ignored = 0;
  return button &&
         ::SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kClickTimeoutMs, &ignored) != 0;
}

}  // namespace remote
