#pragma once
// The printer dialog as a seam: the program asks the system, tests answer.
#include <windows.h>
#include <commdlg.h>

namespace printing {

enum class DialogResult { Accepted, Cancelled, Failed };

class PrinterPrompt {
 public:
  virtual ~PrinterPrompt() = default;
  // Shows the dialog for pd and tells how it ended.
  virtual DialogResult ShowPrinter(PRINTDLGW& pd) = 0;
};

class SystemPrinterPrompt final : public PrinterPrompt {
 public:
  DialogResult ShowPrinter(PRINTDLGW& pd) override {
    if (::PrintDlgW(&pd)) return DialogResult::Accepted;
    // No extended error means the user cancelled; anything else is a
    // failure, such as no printer at all.
    return ::CommDlgExtendedError() == 0 ? DialogResult::Cancelled : DialogResult::Failed;
  }
};

}  // namespace printing
