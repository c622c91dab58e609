// The character test window, driven through its controls.
#include <gtest/gtest.h>

#include "app/form1_ids.h"
#include "common/window_text.h"
#include "support/form_harness.h"
#include "support/gui.h"

using testing_support::FormHarness;
using win::WindowText;

namespace {

// The window's part: what it reads, shows and says; the rule itself is
// tested on its own.
const std::vector<testing_support::StoreChar> kChars = {
    {L"甲", L"7"}, {L"乙", L"12"}, {L"丙", L"10"}, {L"丁", L"3"}, {L"'", L"5"}, {L"坏", L"ten"},
};

std::vector<testing_support::StoreLot> Lots() { return {{5, L"签5"}, {337, L"签337"}}; }

class FrmttTest : public ::testing::Test {
 protected:
  void SetUp() override { form.SetTextVisible(false); }

  FormHarness h{Lots(), kChars};
  app::Form1& form = *h.form;

  app::frmtt& Open() { return h.Open(app::form1::IDM_MNUCeZi, &app::Form1::frmttWindow); }
  // Types the characters and presses OK; the text the main window shows.
  std::wstring Evaluate(std::wstring_view chars) {
    app::frmtt& w = Open();
    FormHarness::Type(w.txtZi(), chars);
    FormHarness::Click(w.Command1());
    return WindowText(form.maintxt());
  }
  bool Shown() const { return h.TextViewShown(); }
};

// Cancel closes without a lot; OK shows one and takes the menu bar away.
TEST_F(FrmttTest, CancelClosesAndOKShowsALotWithoutTheMenuBar) {
  FormHarness::Type(Open().txtZi(), L"甲");
  FormHarness::Click(form.frmttWindow()->Command2());
  EXPECT_EQ(form.frmttWindow(), nullptr);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(WindowText(Open().txtZi()), L"") << "a new window starts empty";

  form.SetMenuBarVisible(true);
  EXPECT_EQ(Evaluate(L"甲乙丙"), L"签337");
  EXPECT_TRUE(Shown());
  EXPECT_FALSE(form.MnupopupVisible());
  EXPECT_EQ(form.frmttWindow(), nullptr) << "the window unloads itself";
  EXPECT_TRUE(h.messages.texts.empty());
}

// Each refusal says why in one message; the window stays for another try.
TEST_F(FrmttTest, ARefusalSaysWhyAndKeepsTheWindow) {
  struct Case {
    const wchar_t* chars;
    std::wstring message;
  };
  for (const Case& c : {Case{L"甲子丑", L"字库中尚无“子”字，请通知作者"}, Case{L"", L"数据没填全"},
                        Case{L"坏", L"字库中“坏”字的笔画数无法读取，请通知作者"},
                        Case{L"丁", L"签库无法打开，请确认程序目录中有完好的 veshalib.mdb 文件。"}}) {
    if (c.message.find(L"veshalib.mdb") != std::wstring::npos) ::DeleteFileW(h.dir.File(L"veshalib.mdb").c_str());
    h.messages.texts.clear();
    EXPECT_EQ(Evaluate(c.chars), L"") << c.chars;
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{c.message});
    ASSERT_NE(form.frmttWindow(), nullptr);
    EXPECT_EQ(WindowText(form.frmttWindow()->txtZi()), c.chars);
    ::SendMessageW(form.frmttWindow()->hwnd(), WM_CLOSE, 0, 0);
  }
  EXPECT_FALSE(Shown());
}

TEST_F(FrmttTest, ALatinLastCharacterAsksForChineseAndSelectsAll) {
  app::frmtt& w = Open();
  FormHarness::Type(w.txtZi(), L"甲a");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"请输入中文"});
  DWORD start = 0, end = 0;
  ::SendMessageW(w.txtZi(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 0u);
  EXPECT_EQ(end, 2u);
  EXPECT_EQ(WindowText(w.txtZi()), L"甲a") << "the text stays";

  // Only the last character counts: with the caret at the end, a Chinese
  // character after the letter raises nothing.
  ::SendMessageW(w.txtZi(), EM_SETSEL, 2, 2);
  FormHarness::Type(w.txtZi(), L"乙");
  EXPECT_EQ(WindowText(w.txtZi()), L"甲a乙");
  EXPECT_EQ(h.messages.texts.size(), 1u);
  FormHarness::Click(w.Command1());
  EXPECT_EQ(h.messages.texts.back(), L"字库中尚无“a”字，请通知作者");
}

TEST_F(FrmttTest, AFourthCharacterCannotBeTypedPastedOrComposed) {
  app::frmtt& w = Open();
  FormHarness::Type(w.txtZi(), L"甲乙丙丁");
  EXPECT_EQ(WindowText(w.txtZi()), L"甲乙丙");

  // What an input method commits arrives as WM_IME_CHAR.
  ::SetWindowTextW(w.txtZi(), L"");
  for (wchar_t c : std::wstring_view(L"丁戊己庚")) ::SendMessageW(w.txtZi(), WM_IME_CHAR, c, 1);
  testing_support::PumpFor(50);  // the system posts each as WM_CHAR
  EXPECT_EQ(WindowText(w.txtZi()), L"丁戊己");
  EXPECT_TRUE(h.messages.texts.empty());

  ::SetWindowTextW(w.txtZi(), L"");
  const std::wstring clip = L"丁戊己庚";
  ASSERT_TRUE(::OpenClipboard(w.hwnd()));
  ::EmptyClipboard();
  HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  std::copy(clip.c_str(), clip.c_str() + clip.size() + 1, static_cast<wchar_t*>(::GlobalLock(mem)));
  ::GlobalUnlock(mem);
  ::SetClipboardData(CF_UNICODETEXT, mem);  // the clipboard owns it now
  ::CloseClipboard();
  ::SendMessageW(w.txtZi(), WM_PASTE, 0, 0);
  EXPECT_EQ(WindowText(w.txtZi()), L"丁戊己");
}

TEST_F(FrmttTest, AQuoteIsLookedUpLiterally) {
  // The quote is single-byte: the input check speaks first.
  EXPECT_EQ(Evaluate(L"'"), L"签5");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"请输入中文"});
}

// The focus starts in the box and, when the window comes back to the
// front, returns to the control that had it.
TEST_F(FrmttTest, TheFocusComesBackWhereItWas) {
  app::frmtt& w = Open();
  const auto awayAndBack = [&] {
    ::SendMessageW(w.hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
    ::SetFocus(nullptr);
    ::SendMessageW(w.hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  };
  ASSERT_EQ(::GetFocus(), w.txtZi());
  ::SetFocus(w.Command2());
  awayAndBack();
  EXPECT_EQ(::GetFocus(), w.Command2());
  ::SetFocus(w.txtZi());
  awayAndBack();
  EXPECT_EQ(::GetFocus(), w.txtZi());
}

}  // namespace

// Typed quotes and backslashes reach the store as values: the lot of their
// stroke counts, or, when the store lacks them, the message that says so.
TEST(FrmttTypedQuotes, QuotesAndBackslashesAreLookedUpAsTyped) {
  FormHarness h({{75, L"签75"}, {74, L"签74"}}, {{L"甲", L"7"}, {L"'", L"5"}, {L"\\", L"4"}});
  struct Case {
    const wchar_t* chars;
    const wchar_t* shown;
    std::wstring message;  // after the one asking for Chinese as the quote or backslash is typed
  };
  const auto check = [&](const Case& c) {
    h.messages.texts.clear();
    app::frmtt& w = h.Open(app::form1::IDM_MNUCeZi, &app::Form1::frmttWindow);
    FormHarness::Type(w.txtZi(), c.chars);
    FormHarness::Click(w.Command1());
    EXPECT_EQ(WindowText(h.form->maintxt()), c.shown) << c.chars;
    std::vector<std::wstring> expected = {L"请输入中文"};
    if (!c.message.empty()) expected.push_back(c.message);
    EXPECT_EQ(h.messages.texts, expected) << c.chars;
    if (app::frmtt* stays = h.form->frmttWindow()) ::SendMessageW(stays->hwnd(), WM_CLOSE, 0, 0);
  };
  check({L"甲'", L"签75", L""});
  check({L"甲\\", L"签74", L""});
  ASSERT_TRUE(testing_support::ExecOnStore(h.dir.File(L"veshalib.mdb"), "DELETE FROM hanzi WHERE Zi <> '甲'"));
  h.form->SetText(L"");
  check({L"甲'", L"", L"字库中尚无“'”字，请通知作者"});
  check({L"甲\\", L"", L"字库中尚无“\\”字，请通知作者"});
}
