#include "printing/print_rich_text.h"

namespace printing {

inline constexpr long kPrinterDialogFlags = cdlPDReturnDC | cdlPDNoPageNums;  // 264

void PrintRichText(PrintHost& form, RichTextBox& box) {
  CommonDialog& dlg = form.dlgCommonDialog1();
  dlg.Flags = kPrinterDialogFlags;
  dlg.CancelError = true;
  dlg.Flags += box.SelLength() == 0 ? cdlPDAllPages : cdlPDSelection;
  if (dlg.ShowPrinter() == DialogResult::Cancelled) return;
  if (dlg.Flags & cdlPDSelection) {
    if (box.SelLength() != 0) box.SelPrint(dlg.hDC());
  } else {
    box.SetSelLength(0);
    box.SelPrint(dlg.hDC());
  }
}

}  // namespace printing
