#pragma once
// Printing a rich-text box through its window's printer dialog.
#include "printing/common_dialog.h"
#include "printing/rich_text_box.h"

namespace printing {

// What printing needs of the window: its common-dialog object.
class PrintHost {
 public:
  virtual ~PrintHost() = default;
  virtual CommonDialog& dlgCommonDialog1() = 0;
};

// Asks for a printer and prints the box's text, or its selection when the
// user chooses that. A cancelled dialog ends it; any other failure prints
// nothing, with no message.
void PrintRichText(PrintHost& form, RichTextBox& box);

}  // namespace printing
