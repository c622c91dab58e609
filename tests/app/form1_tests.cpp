// The main window driven through messages, with its board loop running.
#include <gtest/gtest.h>

#include "app/form1_ids.h"
#include "app/window_classes.h"
#include "common/twips.h"
#include "common/window_text.h"
#include "support/form_harness.h"
#include "support/gui.h"

using namespace app::form1;
using testing_support::FormHarness;
using win::WindowText;

namespace {

const std::wstring kLot1 = L"第一签\r\n抽签\r\n龙卧深渊";
const std::wstring kLot2 = L"第二签";
const std::wstring kLot384 = L"第三百八十四签\r\n有中子自行男";

class Form1Test : public ::testing::Test {
 protected:
  FormHarness h{{{1, kLot1}, {2, kLot2}, {384, kLot384}}};
  app::Form1& form = *h.form;

  bool TextViewUp() const { return ::IsWindowVisible(form.maintxt()) != FALSE; }
  std::wstring TextView() const { return WindowText(form.maintxt()); }
  RECT Client() const {
    RECT r{};
    ::GetClientRect(form.hwnd(), &r);
    return r;
  }
  static RECT Bounds(HWND w) {
    RECT r{};
    ::GetWindowRect(w, &r);
    return r;
  }
  void Draw(double r) {
    h.random.draws = {r};
    h.Command(IDM_fdfdfdf);
  }
  void Send(HWND to, UINT msg, WPARAM wp = 0, LPARAM lp = 0) { ::SendMessageW(to, msg, wp, lp); }
};

TEST_F(Form1Test, StartsOnTheBoardWithTheGivenGeometry) {
  bool ran = false;
  h.RunLoaded([&] {
    ran = true;
    EXPECT_TRUE(form.m_bShuffling());
    EXPECT_TRUE(::IsWindowVisible(form.hwnd()));
    const RECT w = Bounds(form.hwnd());
    EXPECT_EQ(w.left, win::TwipsToPixelsX(-60));
    EXPECT_EQ(w.top, win::TwipsToPixelsY(-60));
    EXPECT_EQ(w.right - w.left, win::TwipsToPixelsX(12120));
    EXPECT_EQ(w.bottom - w.top, win::TwipsToPixelsY(9120));
    EXPECT_EQ(::GetWindowTextLengthW(form.hwnd()), 0);
    const LONG style = ::GetWindowLongW(form.hwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(::IsWindowVisible(form.txtother().hwnd()));
    EXPECT_FALSE(form.MnupopupVisible());
    const RECT t = Bounds(form.maintxt());
    EXPECT_EQ(t.right - t.left, Client().right);
    EXPECT_EQ(t.bottom - t.top,
              win::TwipsToPixelsY(win::PixelsToTwipsY(Client().bottom) + 20));
    EXPECT_EQ(h.random.randomizeCalls, 1);
  });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(form.m_bShuffling());
  EXPECT_EQ(form.hwnd(), nullptr);
}

TEST_F(Form1Test, AnyButtonReleasedOverTheBoardOpensThePopupButNotOverTheTextView) {
  h.RunLoaded([&] {
    testing_support::PopupWatcher watcher;
    const LPARAM at = MAKELPARAM(200, 150);
    Send(form.hwnd(), WM_LBUTTONUP, 0, at);
    Send(form.hwnd(), WM_RBUTTONUP, 0, at);
    Send(form.hwnd(), WM_MBUTTONUP, 0, at);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 3);

    Draw(0.0);
    ASSERT_TRUE(TextViewUp());
    Send(form.maintxt(), WM_LBUTTONUP, 0, at);
    Send(form.maintxt(), WM_RBUTTONUP, 0, at);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 3);
  });
}

// Keyboard users open the menu with Shift+F10 or the Application key; it
// comes up where a click at the board's centre would open it.
TEST_F(Form1Test, ShiftF10AndTheApplicationKeyOpenThePopupAtTheBoardsCentre) {
  h.RunLoaded([&] {
    testing_support::PopupWatcher watcher;
    POINT centre{Client().right / 2, Client().bottom / 2};
    ::ClientToScreen(form.hwnd(), &centre);
    const auto opensAtCentre = [&](const char* keys) {
      EXPECT_EQ(watcher.LastPlace().x, centre.x) << keys;
      EXPECT_EQ(watcher.LastPlace().y, centre.y) << keys;
    };

    // The keys come up while the menu is open; its loop takes them.
    testing_support::SetKeyHeld(VK_SHIFT, true);
    Send(form.hwnd(), WM_SYSKEYDOWN, VK_F10);
    testing_support::SetKeyHeld(VK_SHIFT, false);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 1);
    opensAtCentre("Shift+F10");

    Send(form.hwnd(), WM_KEYDOWN, VK_APPS);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 1) << "the menu waits for the key's release";
    Send(form.hwnd(), WM_KEYUP, VK_APPS);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 2);
    opensAtCentre("the Application key");

    Send(form.hwnd(), WM_SYSKEYDOWN, VK_F10);
    Send(form.hwnd(), WM_SYSKEYUP, VK_F10);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 2) << "F10 alone is the menu bar's key";

    // Over the text view the keys are the text box's.
    Draw(0.0);
    ASSERT_TRUE(TextViewUp());
    Send(form.maintxt(), WM_KEYDOWN, VK_APPS);
    Send(form.maintxt(), WM_KEYUP, VK_APPS);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 2);
  });
}

TEST_F(Form1Test, DoubleClicks) {
  h.RunLoaded([&] {
    Send(form.hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 100));
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(form.MnupopupVisible());

    Draw(0.0);
    ASSERT_TRUE(TextViewUp());
    ASSERT_TRUE(form.MnupopupVisible());
    Send(form.maintxt(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(TextViewUp());
    EXPECT_TRUE(form.MnupopupVisible()) << "the menu bar stays as it was";
    EXPECT_EQ(TextView(), kLot384) << "hiding the text view keeps its text";
  });
}

TEST_F(Form1Test, RandomDrawShowsTheDrawnLotWithTheMenuBar) {
  h.RunLoaded([&] {
    struct Case {
      double r;
      const std::wstring& text;
    };
    // Which draw gives which lot is the rule's; here, that the draw is used.
    const Case cases[] = {{0.0, kLot384}, {1.5 / 384, kLot2}, {0.5001 / 384, kLot1}};
    for (const Case& c : cases) {
      const int before = h.random.randomizeCalls;
      Draw(c.r);
      EXPECT_EQ(h.random.randomizeCalls, before + 1) << "re-seeded before each draw";
      EXPECT_TRUE(TextViewUp());
      EXPECT_TRUE(form.MnupopupVisible());
      EXPECT_EQ(TextView(), c.text) << c.r;
    }
  });
}

TEST_F(Form1Test, BackToTheBoardHidesTextViewAndMenuBar) {
  h.RunLoaded([&] {
    h.Command(IDM_mnuBEGin);
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(form.MnupopupVisible());
    EXPECT_TRUE(form.m_bShuffling());

    Draw(0.0);
    h.Command(IDM_mnuBEGin);
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(form.MnupopupVisible());
    EXPECT_TRUE(form.m_bShuffling()) << "the board loop goes on";
  });
}

TEST_F(Form1Test, ResizingWidensTheTextViewButKeepsItsHeight) {
  h.RunLoaded([&] {
    const RECT before = Bounds(form.maintxt());
    for (int width : {500, 1000}) {
      ::SetWindowPos(form.hwnd(), nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
      const RECT t = Bounds(form.maintxt());
      EXPECT_EQ(t.right - t.left, Client().right);
      EXPECT_EQ(t.bottom - t.top, before.bottom - before.top);
      POINT topLeft{t.left, t.top};
      ::ScreenToClient(form.hwnd(), &topLeft);
      EXPECT_EQ(topLeft.x, 0);
      EXPECT_EQ(topLeft.y, 0);
    }
  });
}

class PrintKeyTest : public Form1Test {
 protected:
  void PressP(bool ctrl, bool shift, bool alt) {
    testing_support::SetKeyHeld(VK_CONTROL, ctrl);
    testing_support::SetKeyHeld(VK_SHIFT, shift);
    testing_support::SetKeyHeld(VK_MENU, alt);
    Send(form.maintxt(), WM_KEYDOWN, 'P', 1);
    testing_support::SetKeyHeld(VK_CONTROL, false);
    testing_support::SetKeyHeld(VK_SHIFT, false);
    testing_support::SetKeyHeld(VK_MENU, false);
  }
};

TEST_F(PrintKeyTest, CtrlPPrintsWhateverElseIsHeld) {
  h.RunLoaded([&] {
    Draw(0.0);
    PressP(false, false, false);
    PressP(false, true, false);
    EXPECT_TRUE(h.textPrinter.printed.empty()) << "P without Control is no command";
    PressP(true, false, false);
    PressP(true, true, false);
    PressP(true, false, true);
    // The rich-text box holds paragraphs ended by a bare CR.
    const std::wstring copied = L"第三百八十四签\r有中子自行男";
    EXPECT_EQ(form.txtother().Text(), copied);
    ASSERT_EQ(h.textPrinter.printed.size(), 3u);
    for (const auto& printed : h.textPrinter.printed) EXPECT_EQ(printed, copied);
    EXPECT_EQ(h.textPrinter.faces.front(), L"宋体");
    EXPECT_TRUE(h.messages.texts.empty());
  });
}

TEST_F(PrintKeyTest, EmptyTextViewSaysSoAndPrintsNothing) {
  h.RunLoaded([&] {
    form.txtother().SetText(L"earlier");
    h.random.draws = {100.5 / 384};  // lot 100 has no row
    h.Command(IDM_fdfdfdf);
    ASSERT_TRUE(TextViewUp());
    ASSERT_EQ(TextView(), L"");
    PressP(true, false, false);
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"没有可打印的内容"});
    EXPECT_EQ(h.messages.titles, std::vector<std::wstring>{L"vesha"});
    EXPECT_TRUE(h.printer.flagsSeen.empty());
    EXPECT_TRUE(h.textPrinter.printed.empty());
    EXPECT_EQ(form.txtother().Text(), L"earlier") << "the print buffer is left unchanged";
  });
}

TEST_F(PrintKeyTest, TwoPrintsInARowOpenTheDialogWithTheSameFlags) {
  h.RunLoaded([&] {
    Draw(0.0);
    PressP(true, false, false);
    PressP(true, false, false);
    EXPECT_EQ(h.printer.flagsSeen, (std::vector<DWORD>{264, 264}));
    h.printer.answer = printing::DialogResult::Cancelled;
    PressP(true, false, false);
    EXPECT_EQ(h.printer.flagsSeen.size(), 3u);
    EXPECT_EQ(h.textPrinter.printed.size(), 2u) << "a cancelled dialog prints nothing";
    EXPECT_TRUE(h.messages.texts.empty());
  });
}

TEST_F(Form1Test, ClosingThroughTheMenuStopsTheLoopAndEndsStartUp) {
  bool ran = false;
  h.RunLoaded([&] {
    ::PostMessageW(form.hwnd(), WM_COMMAND, IDM_MnuTuiCH, 0);
    ran = true;
  });
  EXPECT_TRUE(ran);
  EXPECT_EQ(form.hwnd(), nullptr);
  EXPECT_FALSE(form.m_bShuffling());
}

TEST_F(Form1Test, CloseRequestFromInsideTheLoopStopsIt) {
  HWND hwnd = nullptr;
  h.RunLoaded([&] {
    hwnd = form.hwnd();
    Draw(0.0);
    Send(form.hwnd(), WM_CLOSE);
    EXPECT_FALSE(::IsWindow(hwnd));
    EXPECT_FALSE(form.m_bShuffling());
  });
  EXPECT_FALSE(::IsWindow(hwnd));
}

// Each window of the menu exists once, owned by the main window, and goes
// when the main window closes.
TEST_F(Form1Test, EachMenuWindowExistsOnceAndGoesWithTheMainWindow) {
  namespace classes = app::window_classes;
  const std::pair<int, const wchar_t*> windows[] = {{IDM_MNUCeZi, classes::kFrmtt},
                                                    {IDM_MnuZhSAI, classes::kFrmSaizi},
                                                    {IDM_MnuSUO, classes::kFrmsuom},
                                                    {IDM_mnUabout, classes::kFrmAbout}};
  std::vector<HWND> opened;
  h.RunLoaded([&] {
    for (const auto& [command, className] : windows) {
      h.Command(command);
      h.Command(command);
      EXPECT_EQ(testing_support::CountWindows(className), 1) << className;
      opened.push_back(::FindWindowW(className, nullptr));
      EXPECT_EQ(::GetWindow(opened.back(), GW_OWNER), form.hwnd()) << className;
    }
    Send(form.hwnd(), WM_CLOSE);
  });
  for (HWND w : opened) EXPECT_FALSE(::IsWindow(w));
}

TEST_F(Form1Test, RepeatedDisplaysAndViewChangesLeakNoObjects) {
  h.RunLoaded([&] {
    Draw(0.0);
    h.Command(IDM_mnuBEGin);
    const auto before = testing_support::GuiObjects::Now();
    for (int i = 0; i < 1000; ++i) {
      Draw((i % 3) / 384.0 + 0.6 / 384);
      Send(form.maintxt(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
      h.Command(IDM_mnuBEGin);
    }
    EXPECT_EQ(testing_support::GuiObjects::Now(), before);
  });
}

// The main window on the shipped art, with its board running.
class BoardLoopTest : public ::testing::Test {
 protected:
  FormHarness h{VESHA_BIN_DIR};
  app::Form1& form = *h.form;
};

TEST_F(BoardLoopTest, KeysActWhileAnotherWindowHasTheFocus) {
  long cell = 1;
  h.RunLoaded([&] {
    h.Command(IDM_MNUCeZi);
    ASSERT_NE(form.frmttWindow(), nullptr);
    h.keys.down = {VK_LEFT};
    FormHarness::After(300, [&] {
      cell = form.board().Ship().Cell();
      EXPECT_NE(::GetForegroundWindow(), form.hwnd());
      ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    });
  });
  EXPECT_NE(cell, 1) << "the ship turned";
}

TEST_F(BoardLoopTest, TheBoardShowsAgainWhenTheTextViewGoes) {
  COLORREF window = 0, stage = 1;
  h.RunLoaded([&] {
    h.random.draws = {0.0};
    h.Command(IDM_fdfdfdf);
    ::SendMessageW(form.maintxt(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    FormHarness::After(100, [&] {
      // A corner the ship does not reach; stage and window agree there.
      HDC dc = form.hDC();
      window = ::GetPixel(dc, 3, 300);
      stage = ::GetPixel(form.board().Stage().hDC(), 3, 300);
      ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    });
  });
  EXPECT_EQ(window, stage);
}

}  // namespace
