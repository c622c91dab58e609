#pragma once
// The common-dialog object of a window, its printer dialog only: Flags and
// CancelError going in, Flags and the printer's hDC coming back.
#include <windows.h>
#include <commdlg.h>

#include "common/unique_handle.h"
#include "printing/printer_prompt.h"

namespace printing {

// Printer dialog flags, as the dialog takes them.
inline constexpr long cdlPDAllPages = 0;
inline constexpr long cdlPDSelection = PD_SELECTION;     // 1
inline constexpr long cdlPDNoPageNums = PD_NOPAGENUMS;   // 8
inline constexpr long cdlPDReturnDC = PD_RETURNDC;       // 256

class CommonDialog {
 public:
  explicit CommonDialog(PrinterPrompt& prompt) : prompt_(prompt) {}

  // The window that owns the dialog; set once that window exists.
  void SetOwner(HWND owner) { owner_ = owner; }

  long Flags = 0;
  bool CancelError = false;
  // The chosen printer's device context, owned here until the next dialog.
  HDC hDC() const { return dc_.get(); }

  // Cancelled only when the user cancels and CancelError is set; the
  // dialog keeps the printer chosen last for the next time.
  DialogResult ShowPrinter();

 private:
  HWND owner_ = nullptr;
  PrinterPrompt& prompt_;
  win::unique_hdc dc_;
  win::unique_hglobal devMode_;
  win::unique_hglobal devNames_;
};

}  // namespace printing
