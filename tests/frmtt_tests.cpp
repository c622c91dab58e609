// The character test window, driven through its controls.
#include <gtest/gtest.h>

#include "form1_ids.h"
#include "form_harness.h"
#include "gui.h"
#include "window_text.h"

using testing_support::FormHarness;
using win::WindowText;

namespace {

// Stroke counts chosen for the worked examples, not the real ones.
const std::vector<testing_support::StoreChar> kChars = {
    {L"甲", L"7"},  {L"乙", L"12"}, {L"丙", L"10"}, {L"丁", L"3"},  {L"戊", L"8"},
    {L"己", L"4"},  {L"庚", L"20"}, {L"辛", L"9"},  {L"癸", L"6"},  {L"壬", L"15"},
    {L"壬", L"9"},  {L"'", L"5"},   {L"坏", L"ten"}, {L"半", L"1.5"}, {L"空", L"0"},
};

std::vector<testing_support::StoreLot> Lots() {
  std::vector<testing_support::StoreLot> lots;
  for (int id : {1, 3, 5, 9, 73, 231, 337, 384}) lots.push_back({id, L"签" + std::to_wstring(id)});
  return lots;
}

class FrmttTest : public ::testing::Test {
 protected:
  void SetUp() override { form.SetMaintxtVisible(false); }

  FormHarness h{Lots(), kChars};
  app::Form1& form = *h.form;

  app::frmtt& Open() {
    h.Command(app::form1::IDM_MNUCeZi);
    app::frmtt* w = form.frmttWindow();
    EXPECT_NE(w, nullptr);
    return *w;
  }
  // Types the characters and presses OK; the text the main window shows.
  std::wstring Evaluate(std::wstring_view chars) {
    app::frmtt& w = Open();
    FormHarness::Type(w.txtZi(), chars);
    FormHarness::Click(w.Command1());
    return WindowText(form.maintxt());
  }
  // The text view's own state: the main window itself is not shown here.
  bool Shown() const { return (::GetWindowLongW(form.maintxt(), GWL_STYLE) & WS_VISIBLE) != 0; }
};

TEST_F(FrmttTest, WorkedExamples) {
  struct Case {
    const wchar_t* chars;
    const wchar_t* lot;
  };
  for (const Case& c : {Case{L"甲乙丙", L"签337"}, Case{L"丁戊己", L"签384"}, Case{L"庚", L"签1"},
                        Case{L"辛辛辛", L"签231"}, Case{L"甲癸戊", L"签384"}, Case{L"丁", L"签3"},
                        Case{L"甲丁", L"签73"}}) {
    form.SetMnupopupVisible(true);
    EXPECT_EQ(Evaluate(c.chars), c.lot) << c.chars;
    EXPECT_TRUE(Shown());
    EXPECT_FALSE(form.MnupopupVisible()) << "the menu bar goes after a lot from the test";
    EXPECT_EQ(form.frmttWindow(), nullptr) << "the window unloads itself";
  }
  EXPECT_TRUE(h.messages.texts.empty());
}

TEST_F(FrmttTest, UsesTheSmallestOfSeveralCountsNumerically) {
  EXPECT_EQ(Evaluate(L"壬"), L"签9") << "9 strokes, not 15";
}

TEST_F(FrmttTest, TheFirstMissingCharacterStopsWithOneMessage) {
  EXPECT_EQ(Evaluate(L"甲子丑"), L"");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"字库中尚无“子”字，请通知作者"});
  ASSERT_NE(form.frmttWindow(), nullptr) << "the window stays for another try";
  EXPECT_EQ(WindowText(form.frmttWindow()->txtZi()), L"甲子丑");
  EXPECT_FALSE(Shown());
}

TEST_F(FrmttTest, EmptyBoxSaysSo) {
  EXPECT_EQ(Evaluate(L""), L"");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"数据没填全"});
  EXPECT_NE(form.frmttWindow(), nullptr);
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

TEST_F(FrmttTest, AQuoteNotInTheTableIsMissingNotAnError) {
  ASSERT_TRUE(testing_support::ExecOnStore(h.dir.File(L"veshalib.mdb"), "DELETE FROM hanzi WHERE Zi=''''"));
  EXPECT_EQ(Evaluate(L"甲'"), L"");
  EXPECT_EQ(h.messages.texts.back(), L"字库中尚无“'”字，请通知作者");
  EXPECT_NE(form.frmttWindow(), nullptr);
}

TEST_F(FrmttTest, StrokeCountsThatAreNoDigitsSaySo) {
  for (const wchar_t* zi : {L"坏", L"半"}) {
    h.messages.texts.clear();
    EXPECT_EQ(Evaluate(zi), L"") << zi;
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{std::wstring(L"字库中“") + zi + L"”字的笔画数无法读取，请通知作者"});
    ASSERT_NE(form.frmttWindow(), nullptr);
    EXPECT_EQ(WindowText(form.frmttWindow()->txtZi()), zi);
    form.frmttWindow()->txtZi();
    ::SendMessageW(form.frmttWindow()->hwnd(), WM_CLOSE, 0, 0);
  }
  EXPECT_FALSE(Shown());
}

TEST_F(FrmttTest, ACountOfZeroKeepsItsZero) {
  EXPECT_EQ(Evaluate(L"空"), L"签384") << "digit string 0: remainder 0 is lot 384";
}

TEST_F(FrmttTest, AMissingStoreSaysSoAndKeepsTheWindow) {
  ::DeleteFileW(h.dir.File(L"veshalib.mdb").c_str());
  EXPECT_EQ(Evaluate(L"甲"), L"");
  ASSERT_EQ(h.messages.texts.size(), 1u);
  EXPECT_NE(h.messages.texts[0].find(L"veshalib.mdb"), std::wstring::npos);
  EXPECT_NE(form.frmttWindow(), nullptr);
  EXPECT_FALSE(Shown());
}

TEST_F(FrmttTest, OneWindowWhateverHowOftenItIsChosen) {
  HWND first = Open().hwnd();
  HWND second = Open().hwnd();
  EXPECT_EQ(first, second);
  EXPECT_EQ(testing_support::CountWindows(L"vesha.frmtt"), 1);
  EXPECT_EQ(::GetWindow(first, GW_OWNER), form.hwnd());
}

TEST_F(FrmttTest, CancelClosesWithoutALot) {
  app::frmtt& w = Open();
  FormHarness::Type(w.txtZi(), L"甲");
  FormHarness::Click(w.Command2());
  EXPECT_EQ(form.frmttWindow(), nullptr);
  EXPECT_FALSE(Shown());
  EXPECT_TRUE(Open().hwnd() != nullptr);
  EXPECT_EQ(WindowText(form.frmttWindow()->txtZi()), L"") << "a new window starts empty";
}

TEST_F(FrmttTest, ClosingTheMainWindowClosesIt) {
  HWND w = nullptr;
  h.RunLoaded([&] {
    w = Open().hwnd();
    ::SendMessageW(form.hwnd(), WM_CLOSE, 0, 0);
  });
  EXPECT_FALSE(::IsWindow(w));
}

TEST_F(FrmttTest, LayoutInTwips) {
  app::frmtt& w = Open();
  RECT client{};
  ::GetClientRect(w.hwnd(), &client);
  EXPECT_EQ(client.right, 3630 / 15);
  EXPECT_EQ(client.bottom, 2055 / 15);
  wchar_t caption[16] = {};
  ::GetWindowTextW(w.hwnd(), caption, 16);
  EXPECT_STREQ(caption, L"测字");
  RECT box{};
  ::GetWindowRect(w.txtZi(), &box);
  POINT at{box.left, box.top};
  ::ScreenToClient(w.hwnd(), &at);
  EXPECT_EQ(at.x, (450 + 390) / 15);
  EXPECT_EQ(at.y, (90 + 480) / 15);
  EXPECT_EQ(box.right - box.left, 2025 / 15);
  EXPECT_EQ(::GetFocus(), w.txtZi());
}

// The shipped store, with Unihan's counts: 大 3, 我 7, 是 9, 国 8, 中 4,
// 一 1, 人 2, 小 3, 山 3.
TEST(FrmttShippedStore, CommonCharactersGiveThePredictedLots) {
  FormHarness h(VESHA_BIN_DIR);
  struct Case {
    const wchar_t* chars;
    const wchar_t* title;
  };
  for (const Case& c : {Case{L"大我是", L"第三百七十九签"}, Case{L"大国一", L"第三百八十一签"},
                        Case{L"山国人", L"第三百八十二签"}, Case{L"大国小", L"第三百八十三签"},
                        Case{L"大国中", L"第三百八十四签"}, Case{L"一", L"第一签"}}) {
    h.Command(app::form1::IDM_MNUCeZi);
    app::frmtt* w = h.form->frmttWindow();
    ASSERT_NE(w, nullptr);
    FormHarness::Type(w->txtZi(), c.chars);
    FormHarness::Click(w->Command1());
    EXPECT_EQ(WindowText(h.form->maintxt()).rfind(c.title, 0), 0u) << c.chars;
  }
  EXPECT_TRUE(h.messages.texts.empty());
}

}  // namespace
