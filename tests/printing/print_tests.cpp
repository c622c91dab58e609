// Printing a rich-text box through the printer dialog: what the dialog is
// opened with and what reaches the printer for each choice.
#include <gtest/gtest.h>

#include "common/unique_handle.h"
#include "printing/print_rich_text.h"
#include "support/printer_fakes.h"

using printing::DialogResult;
using testing_support::FakePrinterPrompt;
using testing_support::RecordingTextPrinter;

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

class PrintRichTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    parent.reset(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                   nullptr, nullptr));
    ASSERT_TRUE(box.Create(parent.get(), 1, {L"宋体", 900, FW_NORMAL, GB2312_CHARSET}));
    box.SetText(L"第一行\r\n第二行");
  }
  void Select(long start, long length) {
    box.SetSelStart(start);
    box.SetSelLength(length);
  }

  win::unique_hwnd parent;
  FakePrinterPrompt prompt;
  RecordingTextPrinter printer;
  printing::RichTextBox box{printer};
  Host host{prompt};
};

// The dialog opens for the selection when there is one; what is printed
// is what the user then chooses, on the chosen printer's DC.
TEST_F(PrintRichTextTest, TheDialogOpensForWhatIsSelectedAndPrintsWhatIsChosen) {
  struct Case {
    long selLength;  // of 第二行, at 4
    bool chooseSelection;
    DWORD flags;
    std::vector<std::wstring> printed;
  };
  for (const Case& c : {Case{0, false, kForAll, {kAll}}, Case{3, true, kForSelection, {L"第二行"}},
                        Case{3, false, kForSelection, {kAll}}, Case{0, true, kForAll, {}}}) {
    printer.printed.clear();
    printer.dcs.clear();
    prompt.flagsSeen.clear();
    Select(4, c.selLength);
    prompt.chooseSelection = c.chooseSelection;
    printing::PrintRichText(host, box);
    EXPECT_EQ(prompt.flagsSeen, std::vector<DWORD>{c.flags}) << c.selLength << c.chooseSelection;
    EXPECT_EQ(printer.printed, c.printed) << c.selLength << c.chooseSelection;
    EXPECT_NE(host.dialog.hDC(), nullptr);
    for (HDC dc : printer.dcs) EXPECT_EQ(dc, host.dialog.hDC());
    EXPECT_TRUE(host.dialog.CancelError);
    if (!c.chooseSelection) {
      EXPECT_EQ(box.SelLength(), 0) << "printing all clears the selection";
    }
  }
}

TEST_F(PrintRichTextTest, FlagsAreSetAfreshOnEveryCall) {
  Select(0, 2);
  prompt.chooseSelection = true;
  printing::PrintRichText(host, box);
  printing::PrintRichText(host, box);
  box.SetSelLength(0);
  printing::PrintRichText(host, box);
  EXPECT_EQ(prompt.flagsSeen, (std::vector<DWORD>{kForSelection, kForSelection, kForAll}));
}

// Cancelled, nothing prints; a dialog that fails still lets the print
// step run, on no printer, where it fails quietly.
TEST_F(PrintRichTextTest, CancelOrAFailedDialogPrintsNothing) {
  prompt.answer = DialogResult::Cancelled;
  printing::PrintRichText(host, box);
  EXPECT_TRUE(printer.printed.empty());
  EXPECT_EQ(host.dialog.hDC(), nullptr);
  prompt.answer = DialogResult::Failed;
  printing::PrintRichText(host, box);
  EXPECT_EQ(printer.dcs, std::vector<HDC>{nullptr});
}

TEST(GdiTextPrinter, RefusesADeviceThatCannotPrint) {
  printing::GdiTextPrinter printer;
  const win::FontDescription font{L"宋体", 900};
  EXPECT_FALSE(printer.PrintText(nullptr, L"x", font));
  win::unique_hdc memory(::CreateCompatibleDC(nullptr));
  EXPECT_FALSE(printer.PrintText(memory.get(), L"x", font));
}

}  // namespace
