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

TEST_F(PrintRichTextTest, NothingSelectedOpensForAllAndPrintsAll) {
  printing::PrintRichText(host, box);
  ASSERT_EQ(prompt.flagsSeen.size(), 1u);
  EXPECT_EQ(prompt.flagsSeen[0], 264u);
  EXPECT_EQ(printer.printed, std::vector<std::wstring>{L"第一行\r第二行"});
  EXPECT_EQ(printer.dcs[0], host.dialog.hDC()) << "on the chosen printer's DC";
  EXPECT_NE(printer.dcs[0], nullptr);
  EXPECT_TRUE(host.dialog.CancelError);
}

TEST_F(PrintRichTextTest, ASelectionOpensForTheSelectionAndPrintsIt) {
  Select(4, 3);
  prompt.chooseSelection = true;
  printing::PrintRichText(host, box);
  EXPECT_EQ(prompt.flagsSeen, std::vector<DWORD>{265});
  EXPECT_EQ(printer.printed, std::vector<std::wstring>{L"第二行"});
}

TEST_F(PrintRichTextTest, ChoosingAllDespiteASelectionPrintsAll) {
  Select(4, 3);
  prompt.chooseSelection = false;
  printing::PrintRichText(host, box);
  EXPECT_EQ(printer.printed, std::vector<std::wstring>{L"第一行\r第二行"});
  EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(PrintRichTextTest, ChoosingTheSelectionWithNothingSelectedPrintsNothing) {
  prompt.chooseSelection = true;
  printing::PrintRichText(host, box);
  EXPECT_EQ(prompt.flagsSeen.size(), 1u);
  EXPECT_TRUE(printer.printed.empty());
}

TEST_F(PrintRichTextTest, FlagsAreSetAfreshOnEveryCall) {
  Select(0, 2);
  prompt.chooseSelection = true;
  printing::PrintRichText(host, box);
  printing::PrintRichText(host, box);
  box.SetSelLength(0);
  printing::PrintRichText(host, box);
  EXPECT_EQ(prompt.flagsSeen, (std::vector<DWORD>{265, 265, 264}));
}

TEST_F(PrintRichTextTest, CancelPrintsNothing) {
  prompt.answer = DialogResult::Cancelled;
  printing::PrintRichText(host, box);
  EXPECT_TRUE(printer.printed.empty());
  EXPECT_EQ(host.dialog.hDC(), nullptr);
}

TEST_F(PrintRichTextTest, ADialogThatFailsPrintsNothingAndGoesOn) {
  prompt.answer = DialogResult::Failed;
  printing::PrintRichText(host, box);
  // The print step still runs, on no printer, and fails quietly.
  ASSERT_EQ(printer.dcs.size(), 1u);
  EXPECT_EQ(printer.dcs[0], nullptr);
}

TEST(GdiTextPrinter, RefusesADeviceThatCannotPrint) {
  printing::GdiTextPrinter printer;
  const win::FontDescription font{L"宋体", 900};
  EXPECT_FALSE(printer.PrintText(nullptr, L"x", font));
  win::unique_hdc memory(::CreateCompatibleDC(nullptr));
  EXPECT_FALSE(printer.PrintText(memory.get(), L"x", font));
}

}  // namespace
