// The dice casting window, driven through its controls with the real
// registered dice control.
#include <gtest/gtest.h>

#include <iostream>

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
const std::wstring kIncomplete = L"数据没填全！";
const std::wstring kTooSmall = L"不对吧";
const std::wstring kNotANumber = L"点数和应当是数字，请重新输入。";

std::vector<testing_support::StoreLot> Lots() {
  std::vector<testing_support::StoreLot> lots;
  for (int id : {1, 7, 127}) lots.push_back({id, L"签" + std::to_wstring(id)});
  return lots;
}

class FrmSaiziTest : public ::testing::Test {
 protected:
  void SetUp() override { form.SetTextVisible(false); }

  win::ole_init ole;
  FormHarness h{Lots()};
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
  // OK is refused with one message; the window and its boxes stay.
  void ExpectRefused(std::array<const wchar_t*, 3> sums, const std::wstring& message) {
    h.messages.texts.clear();
    EXPECT_EQ(Evaluate(sums), L"") << sums[0] << "," << sums[1] << "," << sums[2];
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{message});
    app::frmSaizi* w = form.frmSaiziWindow();
    ASSERT_NE(w, nullptr);
    for (size_t i = 0; i < sums.size(); ++i) EXPECT_EQ(WindowText(Boxes(*w)[i]), sums[i]);
    ::SendMessageW(w->hwnd(), WM_CLOSE, 0, 0);
  }
  bool Shown() const { return h.TextViewShown(); }
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
  EXPECT_FALSE(Shown());
  EXPECT_EQ(WindowText(Open().txts1()), L"") << "a new window starts empty";
  ::SendMessageW(form.frmSaiziWindow()->hwnd(), WM_CLOSE, 0, 0);

  form.SetMenuBarVisible(true);
  EXPECT_EQ(Evaluate({L"7", L"12", L"3"}), L"签127");
  EXPECT_TRUE(Shown());
  EXPECT_FALSE(form.MnupopupVisible());
  EXPECT_EQ(form.frmSaiziWindow(), nullptr) << "the window unloads itself";
  EXPECT_TRUE(h.messages.texts.empty());
}

// Which sums are refused is the rule's; the window says why, once.
TEST_F(FrmSaiziTest, ARefusalSaysWhyAndKeepsTheSums) {
  ExpectRefused({L"1", L"5", L"5"}, kTooSmall);
  ExpectRefused({L"7", L"", L"5"}, kIncomplete);
  ExpectRefused({L"7", L".", L"5"}, kNotANumber);
  EXPECT_FALSE(Shown());
}

TEST_F(FrmSaiziTest, TheFilterKeepsTwoDigitsOrPoints) {
  app::frmSaizi& w = Open();
  for (HWND box : {w.txts1(), w.Txts3()}) {
    FormHarness::Type(box, L"753");
    EXPECT_EQ(WindowText(box), L"75");
    DWORD start = 0, end = 0;
    ::SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 2u) << "the caret stays where the typing was";
  }
  EXPECT_TRUE(h.messages.texts.empty());

  FormHarness::Type(w.Txts2(), L"7a");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{kDigitsOnly});
  EXPECT_EQ(h.messages.titles.back(), app::kAppTitle);
  EXPECT_EQ(::GetFocus(), w.Txts2());
  PumpFor(kBackspaceMs);
  EXPECT_EQ(WindowText(w.Txts2()), L"7") << "the queued Backspace takes the letter";

  // A paste cut to two characters is checked once, not again after the cut.
  h.messages.texts.clear();
  ::SendMessageW(w.Txts2(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"a59"));
  EXPECT_EQ(h.messages.texts.size(), 1u);
  PumpFor(kBackspaceMs);
  EXPECT_EQ(WindowText(w.Txts2()), L"7");

  // Two offending characters: two messages and two Backspaces.
  h.messages.texts.clear();
  ::SetWindowTextW(w.txts1(), L"");
  PumpFor(kBackspaceMs);
  ::SendMessageW(w.txts1(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"字 "));
  EXPECT_EQ(h.messages.texts, (std::vector<std::wstring>{kDigitsOnly, kDigitsOnly}));
  PumpFor(kBackspaceMs);
  EXPECT_EQ(WindowText(w.txts1()), L"");
}

TEST_F(FrmSaiziTest, TheDiceShowOneAndTheTabOrderRunsBoxesButtonsCasts) {
  app::frmSaizi& w = Open();
  EXPECT_EQ(::GetWindow(w.hwnd(), GW_OWNER), form.hwnd());
  EXPECT_NE(::GetClassLongPtrW(w.hwnd(), GCLP_HICON), 0) << "the window's own icon";
  for (const app::OleControlSite* dice : {w.Dice1(), w.Dice2()}) {
    ASSERT_NE(dice, nullptr);
    EXPECT_TRUE(::IsWindowVisible(dice->Window()));
    EXPECT_EQ(::GetParent(dice->Window()), w.hwnd());
    EXPECT_EQ(testing_support::FaceOf(dice->Object()), 1) << "a new die shows one";
  }
  EXPECT_EQ(::GetFocus(), w.txts1()) << "the focus starts in the first box";
  const std::vector<HWND> order = {w.txts1(),    w.Txts2(),    w.Txts3(),   w.Command2(), w.Command1(),
                                   w.Command3(), w.Command4(), w.Command5(), w.txts1()};
  for (size_t i = 0; i + 1 < order.size(); ++i)
    EXPECT_EQ(::GetNextDlgTabItem(w.hwnd(), order[i], FALSE), order[i + 1]) << i;
}

TEST_F(FrmSaiziTest, OnlyTheSecondDieMovesTheFocusToTheLastCastsBox) {
  app::frmSaizi& w = Open();
  Press(w.Command3());
  EXPECT_EQ(w.CastIndex(), 1);
  testing_support::ClickFace(*w.Dice1());
  PumpFor(kClickedDieEndedMs);
  EXPECT_NE(::GetFocus(), w.txts1()) << "the first die has stopped, the second rolls on";
  testing_support::ClickFace(*w.Dice2());
  EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == w.txts1(); }, kRollLimitMs));

  // A press while the dice still roll changes only where the focus goes.
  Press(w.Command4());
  Press(w.Command5());
  EXPECT_EQ(w.CastIndex(), 3);
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
    ASSERT_NE(w.Dice2(), nullptr);
    if (i % 10 == 0) Press(w.Command4());  // closed while rolling
    PumpFor(1);
    ::SendMessageW(w.hwnd(), WM_CLOSE, 0, 0);
  }
  PumpFor(kBackspaceMs);
  const GuiObjects after = GuiObjects::Now();
  std::cout << before << " -> " << after << "\n";
  EXPECT_EQ(after, before);
  EXPECT_EQ(testing_support::LibraryCanUnload(keepLoaded.get()), S_OK) << "every control was released";
}

// Without the registered control the window works with sums cast by hand.
class FrmSaiziWithoutDice : public FrmSaiziTest {
 protected:
  using ServerCall = HRESULT(STDAPICALLTYPE*)();
  void SetUp() override {
    FrmSaiziTest::SetUp();
    ASSERT_TRUE(library);
    ASSERT_EQ(Entry("DllUnregisterServer")(), S_OK);
  }
  void TearDown() override { Entry("DllRegisterServer")(); }
  ServerCall Entry(const char* name) const {
    return reinterpret_cast<ServerCall>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
  }
  win::unique_hmodule library{::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx")};
};

TEST_F(FrmSaiziWithoutDice, OpensSaysOnceWhyAndTakesTypedSums) {
  app::frmSaizi& w = Open();
  EXPECT_EQ(w.Dice1(), nullptr);
  EXPECT_EQ(w.Dice2(), nullptr);
  for (HWND cast : {w.Command3(), w.Command4(), w.Command5()}) EXPECT_FALSE(::IsWindowEnabled(cast));
  PumpFor(kBackspaceMs);
  ASSERT_EQ(h.messages.texts.size(), 1u) << "told once, as the window opens";
  EXPECT_TRUE(h.messages.overVisibleOwner[0]) << "the message stands over the window";
  EXPECT_NE(h.messages.texts[0].find(L"tumbix.ocx"), std::wstring::npos) << "names the file";
  EXPECT_NE(h.messages.texts[0].find(L"重新安装"), std::wstring::npos) << "says what mends it";
  Fill(w, {L"7", L"12", L"3"});
  FormHarness::Click(w.Command1());
  EXPECT_EQ(WindowText(form.maintxt()), L"签127");
  EXPECT_EQ(form.frmSaiziWindow(), nullptr);
}

// The program's message boxes hold back all its windows, so none can close
// the window that asked while it waits.
constexpr wchar_t kPromptTitle[] = L"prompt test";
HWND g_watched;
bool g_enabledDuringBox;

void CALLBACK AnswerPrompt(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  g_enabledDuringBox = ::IsWindowEnabled(g_watched);
  if (HWND box = ::FindWindowW(L"#32770", kPromptTitle)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(SystemMessagePrompt, OtherWindowsWaitForTheAnswer) {
  const auto visible = [] {
    return win::unique_hwnd(::CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                                              nullptr, nullptr, nullptr, nullptr));
  };
  const win::unique_hwnd owner = visible();
  const win::unique_hwnd other = visible();
  g_watched = other.get();
  g_enabledDuringBox = true;
  ::SetTimer(nullptr, 0, 200, &AnswerPrompt);
  app::SystemMessagePrompt().Show(owner.get(), L"?", kPromptTitle);
  EXPECT_FALSE(g_enabledDuringBox);
  EXPECT_TRUE(::IsWindowEnabled(other.get()));
  EXPECT_TRUE(::IsWindowEnabled(owner.get()));
}

}  // namespace
