// The character test window, driven through its controls; the rule itself
// is tested on its own.
#include <gtest/gtest.h>

#include "app/form1_ids.h"
#include "common/window_text.h"
#include "support/form_harness.h"

using testing_support::FormHarness;
using win::WindowText;

namespace {

class FrmttTest : public ::testing::Test {
 protected:
  void SetUp() override { form.SetTextVisible(false); }

  FormHarness h{{{337, L"签337"}}, {{L"甲", L"7"}, {L"乙", L"12"}, {L"丙", L"10"}, {L"坏", L"ten"}}};
  app::Form1& form = *h.form;

  app::frmtt& Open() { return h.Open(app::form1::IDM_MNUCeZi, &app::Form1::frmttWindow); }
  // Types the characters and presses OK; the text the main window shows.
  std::wstring Evaluate(std::wstring_view chars) {
    app::frmtt& w = Open();
    FormHarness::Type(w.txtZi(), chars);
    FormHarness::Click(w.Command1());
    return WindowText(form.maintxt());
  }
};

// Cancel closes without a lot; OK shows one and takes the menu bar away.
TEST_F(FrmttTest, CancelClosesAndOKShowsALotWithoutTheMenuBar) {
  FormHarness::Type(Open().txtZi(), L"甲");
  FormHarness::Click(form.frmttWindow()->Command2());
  EXPECT_EQ(form.frmttWindow(), nullptr);
  EXPECT_FALSE(h.TextViewShown());
  EXPECT_EQ(WindowText(Open().txtZi()), L"") << "a new window starts empty";

  form.SetMenuBarVisible(true);
  EXPECT_EQ(Evaluate(L"甲乙丙"), L"签337");
  EXPECT_TRUE(h.TextViewShown());
  EXPECT_FALSE(form.MnupopupVisible());
  EXPECT_EQ(form.frmttWindow(), nullptr) << "the window unloads itself";
  EXPECT_TRUE(h.messages.texts.empty());
}

// Each refusal says why in one message; the window stays for another try.
TEST_F(FrmttTest, ARefusalSaysWhyAndKeepsTheWindow) {
  const std::pair<const wchar_t*, std::wstring> cases[] = {{L"甲子丑", L"字库中尚无“子”字，请通知作者"},
                                                           {L"", L"数据没填全"},
                                                           {L"坏", L"字库中“坏”字的笔画数无法读取，请通知作者"}};
  for (const auto& [chars, message] : cases) {
    h.messages.texts.clear();
    EXPECT_EQ(Evaluate(chars), L"") << chars;
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{message});
    ASSERT_NE(form.frmttWindow(), nullptr);
    EXPECT_EQ(WindowText(form.frmttWindow()->txtZi()), chars);
    ::SendMessageW(form.frmttWindow()->hwnd(), WM_CLOSE, 0, 0);
  }
  EXPECT_FALSE(h.TextViewShown());
}

// Only the last character counts: a Latin one asks for Chinese and selects
// all, a Chinese one after it raises nothing; at most three are taken.
TEST_F(FrmttTest, ALatinLastCharacterAsksForChineseAndAFourthIsRefused) {
  app::frmtt& w = Open();
  FormHarness::Type(w.txtZi(), L"甲a");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"请输入中文"});
  DWORD start = 1, end = 0;
  ::SendMessageW(w.txtZi(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
  ::SendMessageW(w.txtZi(), EM_SETSEL, 2, 2);
  FormHarness::Type(w.txtZi(), L"乙丙");
  EXPECT_EQ(WindowText(w.txtZi()), L"甲a乙");
  EXPECT_EQ(h.messages.texts.size(), 1u);
}

// The focus starts in the box and, when the window comes back to the
// front, returns to the control that had it.
TEST_F(FrmttTest, TheFocusComesBackWhereItWas) {
  app::frmtt& w = Open();
  ASSERT_EQ(::GetFocus(), w.txtZi());
  for (HWND had : {w.Command2(), w.txtZi()}) {
    ::SetFocus(had);
    ::SendMessageW(w.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    ::SetFocus(nullptr);
    ::SendMessageW(w.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(::GetFocus(), had);
  }
}

}  // namespace

// Typed quotes and backslashes reach the store as values: the lot of their
// stroke counts, or, when the store lacks them, the message that says so.
TEST(FrmttTypedQuotes, QuotesAndBackslashesAreLookedUpAsTyped) {
  FormHarness h({{75, L"签75"}, {74, L"签74"}}, {{L"甲", L"7"}, {L"'", L"5"}, {L"\\", L"4"}});
  // Typing the quote or backslash first asks for Chinese.
  const auto check = [&](const wchar_t* chars, const wchar_t* shown, std::vector<std::wstring> messages) {
    h.messages.texts.clear();
    app::frmtt& w = h.Open(app::form1::IDM_MNUCeZi, &app::Form1::frmttWindow);
    FormHarness::Type(w.txtZi(), chars);
    FormHarness::Click(w.Command1());
    EXPECT_EQ(WindowText(h.form->maintxt()), shown) << chars;
    messages.insert(messages.begin(), L"请输入中文");
    EXPECT_EQ(h.messages.texts, messages) << chars;
    if (app::frmtt* stays = h.form->frmttWindow()) ::SendMessageW(stays->hwnd(), WM_CLOSE, 0, 0);
  };
  check(L"甲'", L"签75", {});
  check(L"甲\\", L"签74", {});
  ASSERT_TRUE(testing_support::ExecOnStore(h.dir.File(L"veshalib.mdb"), "DELETE FROM hanzi WHERE Zi <> '甲'"));
  h.form->SetText(L"");
  check(L"甲'", L"", {L"字库中尚无“'”字，请通知作者"});
  check(L"甲\\", L"", {L"字库中尚无“\\”字，请通知作者"});
}
