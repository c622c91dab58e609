// Printing a rich-text box through the printer dialog: what the dialog is
// opened with and what reaches the printer for each choice.
#include <gtest/gtest.h>

#include "common/unique_handle.h"
#include "printing/print_rich_text.h"
#include "support/printer_fakes.h"

using printing::DialogResult;

namespace {

constexpr DWORD kForAll = PD_RETURNDC | PD_NOPAGENUMS;
constexpr DWORD kForSelection = kForAll | PD_SELECTION;
const std::wstring kAll = L"第一行\r第二行";  // the box keeps one CR a line

class Host final : public printing::PrintHost {
 public:
  explicit Host(printing::PrinterPrompt& prompt) : dialog(prompt) {}
  printing::CommonDialog& dlgCommonDialog1() override { return dialog; }
  printing::CommonDialog dialog;
};

// The dialog opens for the selection when there is one, its flags set
// afresh each time; what is printed is what the user then chooses, on the
// chosen printer's DC. Cancelled, nothing prints; a dialog that fails
// still lets the print step run, on no printer, where it fails quietly.
TEST(PrintRichText, TheDialogOpensForWhatIsSelectedAndPrintsWhatIsChosen) {
  const win::unique_hwnd parent(
      ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr));
  testing_support::FakePrinterPrompt prompt;
  testing_support::RecordingTextPrinter printer;
  printing::RichTextBox box{printer};
  Host host{prompt};
  ASSERT_TRUE(box.Create(parent.get(), 1, {L"宋体", 900, FW_NORMAL, GB2312_CHARSET}));
  box.SetText(L"第一行\r\n第二行");
  struct Case {
    long selLength;  // of 第二行, at 4
    DialogResult answer;
    bool chooseSelection;
    DWORD flags;
    std::vector<std::wstring> printed;
  };
  for (const Case& c : {Case{0, DialogResult::Accepted, false, kForAll, {kAll}},
                        Case{3, DialogResult::Accepted, true, kForSelection, {L"第二行"}},
                        Case{3, DialogResult::Accepted, false, kForSelection, {kAll}},
                        Case{0, DialogResult::Accepted, true, kForAll, {}},
                        Case{3, DialogResult::Cancelled, false, kForSelection, {}},
                        Case{0, DialogResult::Failed, false, kForAll, {kAll}}}) {
    SCOPED_TRACE(testing::Message() << c.selLength << " " << static_cast<int>(c.answer) << " " << c.chooseSelection);
    printer.printed.clear();
    printer.dcs.clear();
    prompt.flagsSeen.clear();
    box.SetSelStart(4);
    box.SetSelLength(c.selLength);
    prompt.answer = c.answer;
    prompt.chooseSelection = c.chooseSelection;
    printing::PrintRichText(host, box);
    EXPECT_EQ(prompt.flagsSeen, std::vector<DWORD>{c.flags});
    EXPECT_EQ(printer.printed, c.printed);
    EXPECT_EQ(host.dialog.hDC() != nullptr, c.answer == DialogResult::Accepted);
    for (HDC dc : printer.dcs) EXPECT_EQ(dc, host.dialog.hDC());
    EXPECT_TRUE(host.dialog.CancelError);
    if (c.answer != DialogResult::Cancelled && !c.chooseSelection) {
      EXPECT_EQ(box.SelLength(), 0) << "printing all clears the selection";
    }
  }
}

TEST(GdiTextPrinter, RefusesADeviceThatCannotPrint) {
  printing::GdiTextPrinter printer;
  const win::FontDescription font{L"宋体", 900};
  EXPECT_FALSE(printer.PrintText(nullptr, L"x", font));
  const win::unique_hdc memory(::CreateCompatibleDC(nullptr));
  EXPECT_FALSE(printer.PrintText(memory.get(), L"x", font));
}

}  // namespace
