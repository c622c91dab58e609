// The dice casting window, driven through its controls with the real
// registered dice control.
#include <gtest/gtest.h>

#include "app/form1_ids.h"
#include "app/message_prompt.h"
#include "common/window_text.h"
#include "support/dice_host.h"
#include "support/form_harness.h"
#include "support/gui.h"

using testing_support::FormHarness;
using testing_support::PumpFor;
using testing_support::PumpUntil;
using win::WindowText;

namespace {

constexpr DWORD kBackspaceMs = 50;
// A clicked die stops within half a second; one left alone after 3.5 s.
constexpr DWORD kRollLimitMs = 6000;
constexpr DWORD kClickedDieEndedMs = 900;

const std::wstring kDigitsOnly = L"请您输入数字";
const std::wstring kNotANumber = L"点数和应当是数字，请重新输入。";

class FrmSaiziTest : public ::testing::Test {
 protected:
  void SetUp() override { form.SetTextVisible(false); }

  win::ole_init ole;
  FormHarness h{{{127, L"签127"}}};
  app::Form1& form = *h.form;

  app::frmSaizi& Open() { return h.Open(app::form1::IDM_MnuZhSAI, &app::Form1::frmSaiziWindow); }
  static std::array<HWND, 3> Boxes(const app::frmSaizi& w) { return {w.txts1(), w.Txts2(), w.Txts3()}; }
  static void Fill(app::frmSaizi& w, std::array<const wchar_t*, 3> sums) {
    for (size_t i = 0; i < sums.size(); ++i) FormHarness::Type(Boxes(w)[i], sums[i]);
    PumpFor(kBackspaceMs);
  }
  // Types the three sums and presses OK; the text the main window shows.
  std::wstring Evaluate(std::array<const wchar_t*, 3> sums) {
    app::frmSaizi& w = Open();
    Fill(w, sums);
    FormHarness::Click(w.Command1());
    return WindowText(form.maintxt());
  }
  // Presses a cast button as the mouse does: the focus goes to it first.
  static void Press(HWND button) {
    ::SetFocus(button);
    FormHarness::Click(button);
  }
};

// Cancel closes without a lot; OK shows one and takes the menu bar away.
TEST_F(FrmSaiziTest, CancelClosesAndOKShowsALotWithoutTheMenuBar) {
  FormHarness::Type(Open().txts1(), L"7");
  FormHarness::Click(form.frmSaiziWindow()->Command2());
  EXPECT_EQ(form.frmSaiziWindow(), nullptr);
  EXPECT_EQ(WindowText(Open().txts1()), L"") << "a new window starts empty";
  ::SendMessageW(form.frmSaiziWindow()->hwnd(), WM_CLOSE, 0, 0);

  form.SetMenuBarVisible(true);
  EXPECT_EQ(Evaluate({L"7", L"12", L"3"}), L"签127");
  EXPECT_TRUE(h.TextViewShown());
  EXPECT_FALSE(form.MnupopupVisible());
  EXPECT_EQ(form.frmSaiziWindow(), nullptr) << "the window unloads itself";
  EXPECT_TRUE(h.messages.texts.empty());
}

// Which sums are refused is the rule's; the window says why, once, and
// keeps the sums.
TEST_F(FrmSaiziTest, ARefusalSaysWhyAndKeepsTheSums) {
  const std::pair<std::array<const wchar_t*, 3>, std::wstring> cases[] = {
      {{L"1", L"5", L"5"}, L"不对吧"}, {{L"7", L"", L"5"}, L"数据没填全！"}, {{L"7", L".", L"5"}, kNotANumber}};
  for (const auto& [sums, message] : cases) {
    h.messages.texts.clear();
    EXPECT_EQ(Evaluate(sums), L"") << sums[1];
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{message});
    app::frmSaizi* w = form.frmSaiziWindow();
    ASSERT_NE(w, nullptr);
    for (size_t i = 0; i < sums.size(); ++i) EXPECT_EQ(WindowText(Boxes(*w)[i]), sums[i]);
    ::SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
  }
  EXPECT_FALSE(h.TextViewShown());
}

// Two characters are kept, the caret where the typing was; each offending
// character, typed or pasted, is refused once and taken by a Backspace.
TEST_F(FrmSaiziTest, TheFilterKeepsTwoDigitsOrPoints) {
  app::frmSaizi& w = Open();
  FormHarness::Type(w.Txts3(), L"753");
  EXPECT_EQ(WindowText(w.Txts3()), L"75");
  DWORD start = 0;
  ::SendMessageW(w.Txts3(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  EXPECT_EQ(start, 2u);
  EXPECT_TRUE(h.messages.texts.empty());

  FormHarness::Type(w.Txts2(), L"7a");
  EXPECT_EQ(h.messages.titles.back(), app::kAppTitle);
  EXPECT_EQ(::GetFocus(), w.Txts2());
  PumpFor(kBackspaceMs);
  EXPECT_EQ(WindowText(w.Txts2()), L"7");

  ::SetWindowTextW(w.Txts2(), L"");
  ::SendMessageW(w.Txts2(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"字 9"));
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>(3, kDigitsOnly)) << "a cut paste is checked once";
  PumpFor(kBackspaceMs);
  EXPECT_EQ(WindowText(w.Txts2()), L"");
}

TEST_F(FrmSaiziTest, TheDiceShowOneAndTheTabOrderRunsBoxesButtonsCasts) {
  app::frmSaizi& w = Open();
  for (const app::OleControlSite* dice : {w.Dice1(), w.Dice2()}) {
    ASSERT_NE(dice, nullptr);
    EXPECT_TRUE(::IsWindowVisible(dice->Window()));
    EXPECT_EQ(testing_support::FaceOf(dice->Object()), 1) << "a new die shows one";
  }
  EXPECT_EQ(::GetFocus(), w.txts1()) << "the focus starts in the first box";
  const HWND order[] = {w.txts1(),    w.Txts2(),    w.Txts3(),    w.Command2(), w.Command1(),
                        w.Command3(), w.Command4(), w.Command5(), w.txts1()};
  for (size_t i = 0; i + 1 < std::size(order); ++i)
    EXPECT_EQ(::GetNextDlgTabItem(w.hwnd(), order[i], FALSE), order[i + 1]) << i;
}

// The focus goes to the box of the last cast pressed, once the second die
// stops; a press while the dice still roll changes only that box.
TEST_F(FrmSaiziTest, OnlyTheSecondDieMovesTheFocusToTheLastCastsBox) {
  app::frmSaizi& w = Open();
  Press(w.Command3());
  testing_support::ClickFace(*w.Dice1());
  PumpFor(kClickedDieEndedMs);
  EXPECT_NE(::GetFocus(), w.txts1()) << "the first die has stopped, the second rolls on";
  testing_support::ClickFace(*w.Dice2());
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == w.txts1(); }, kRollLimitMs));

  Press(w.Command4());
  Press(w.Command5());
  testing_support::ClickFace(*w.Dice1());
  testing_support::ClickFace(*w.Dice2());
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == w.Txts3(); }, kRollLimitMs));
  EXPECT_TRUE(WindowText(w.Txts3()).empty()) << "the window never writes a sum itself";
}

TEST_F(FrmSaiziTest, FiftyOpeningsLeaveNothingBehind) {
  using testing_support::GuiObjects;
  const win::unique_hmodule keepLoaded(::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx"));
  // The first window and roll make what the platform keeps for the process.
  {
    app::frmSaizi& w = Open();
    Press(w.Command3());
    testing_support::ClickFace(*w.Dice2());
    ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == w.txts1(); }, kRollLimitMs));
    FormHarness::Click(w.Command2());
  }
  const GuiObjects before = GuiObjects::Now();
  for (int i = 0; i < 50; ++i) {
    app::frmSaizi& w = Open();
    if (i % 10 == 0) Press(w.Command4());  // closed while rolling
    PumpFor(1);
    ::SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
  }
  PumpFor(kBackspaceMs);
  EXPECT_EQ(GuiObjects::Now(), before);
  EXPECT_EQ(testing_support::LibraryCanUnload(keepLoaded.get()), S_OK) << "every control was released";
}

// The program's message boxes hold back all its windows, so none can close
// the window that asked while it waits.
TEST(SystemMessagePrompt, OtherWindowsWaitForTheAnswer) {
  const auto visible = [] {
    return win::unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                              nullptr, nullptr, nullptr, nullptr));
  };
  const win::unique_hwnd owner = visible(), other = visible();
  bool enabledDuringBox = true;
  FormHarness::After(200, [&] {
    enabledDuringBox = ::IsWindowEnabled(other.get());
    if (HWND box = ::FindWindowW(L"#32770", L"prompt test")) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  app::SystemMessagePrompt().Show(owner.get(), L"?", L"prompt test");
  EXPECT_FALSE(enabledDuringBox);
  EXPECT_TRUE(::IsWindowEnabled(other.get()));
  EXPECT_TRUE(::IsWindowEnabled(owner.get()));
}

}  // namespace
