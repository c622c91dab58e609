// The main window driven through messages, with its board loop running.
#include <gtest/gtest.h>

#include <set>

#include "app/form1_ids.h"
#include "app/window_classes.h"
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
  bool MenuBarUp() const { return form.MnupopupVisible(); }
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
  // A key pressed over the text view with these modifiers held.
  void PressOverText(WPARAM key, std::set<int> modifiers) {
    h.keys.down = std::move(modifiers);
    Send(form.maintxt(), WM_KEYDOWN, key, 1);
    h.keys.down.clear();
  }
};

TEST_F(Form1Test, StartsOnTheBoardAndStopsTheLoopWhenClosed) {
  bool ran = false;
  h.RunLoaded([&] {
    ran = true;
    EXPECT_TRUE(form.m_bShuffling());
    EXPECT_TRUE(::IsWindowVisible(form.hwnd()));
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(::IsWindowVisible(form.txtother().hwnd()));
    EXPECT_FALSE(MenuBarUp());
    const RECT t = Bounds(form.maintxt());
    EXPECT_EQ(t.right - t.left, Client().right);
    EXPECT_GT(t.bottom - t.top, Client().bottom) << "its lower border lies outside";
    EXPECT_EQ(h.random.randomizeCalls, 1);
  });
  EXPECT_TRUE(ran);
  EXPECT_FALSE(form.m_bShuffling());
  EXPECT_EQ(form.hwnd(), nullptr);
}

// Any mouse button released over the board opens the popup menu there.
// Keyboard users open it with Shift+F10 (which the system turns into a
// request without a position) or the Application key, at the board's
// centre. A request with a position opens it there, but only over the
// board. Over the text view, the mouse and keys are the text box's.
TEST_F(Form1Test, ThePopupOpensFromTheMouseAndTheKeyboardButNotOverTheTextView) {
  h.RunLoaded([&] {
    testing_support::PopupWatcher watcher;
    const auto opened = [&](int count, POINT client, const char* how) {
      ::ClientToScreen(form.hwnd(), &client);
      EXPECT_EQ(watcher.Count(form.mnupopup()), count) << how;
      EXPECT_EQ(watcher.LastPlace().x, client.x) << how;
      EXPECT_EQ(watcher.LastPlace().y, client.y) << how;
    };
    const auto ask = [&](POINT client) {
      ::ClientToScreen(form.hwnd(), &client);
      Send(form.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.hwnd()), MAKELPARAM(client.x, client.y));
    };
    const POINT centre{Client().right / 2, Client().bottom / 2};
    for (UINT up : {WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONUP}) Send(form.hwnd(), up, 0, MAKELPARAM(200, 150));
    opened(3, {200, 150}, "mouse buttons");

    Send(form.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form.hwnd()), -1);
    opened(4, centre, "Shift+F10");
    Send(form.hwnd(), WM_KEYDOWN, VK_APPS);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 4) << "the menu waits for the key's release";
    Send(form.hwnd(), WM_KEYUP, VK_APPS);
    opened(5, centre, "the Application key");
    ask({30, 40});
    opened(6, {30, 40}, "a pen over the board");
    ask({30, -5});
    EXPECT_EQ(watcher.Count(form.mnupopup()), 6) << "the frame keeps its own menu";
    Send(form.hwnd(), WM_SYSKEYDOWN, VK_F10);
    Send(form.hwnd(), WM_SYSKEYUP, VK_F10);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 6) << "F10 alone is the menu bar's key";

    Draw(0.0);
    ASSERT_TRUE(TextViewUp());
    for (UINT up : {WM_LBUTTONUP, WM_RBUTTONUP}) Send(form.maintxt(), up, 0, MAKELPARAM(200, 150));
    Send(form.maintxt(), WM_KEYDOWN, VK_APPS);
    Send(form.maintxt(), WM_KEYUP, VK_APPS);
    EXPECT_EQ(watcher.Count(form.mnupopup()), 6);
  });
}

TEST_F(Form1Test, RandomDrawShowsTheDrawnLotWithTheMenuBar) {
  h.RunLoaded([&] {
    struct Case {
      double r;
      const std::wstring& text;
    };
    // Which draw gives which lot is the rule's; here, that the draw is used.
    for (const Case& c : {Case{0.0, kLot384}, Case{1.5 / 384, kLot2}, Case{0.5001 / 384, kLot1}}) {
      const int before = h.random.randomizeCalls;
      Draw(c.r);
      EXPECT_EQ(h.random.randomizeCalls, before + 1) << "re-seeded before each draw";
      EXPECT_TRUE(TextViewUp());
      EXPECT_TRUE(MenuBarUp());
      EXPECT_EQ(WindowText(form.maintxt()), c.text) << c.r;
    }
  });
}

TEST_F(Form1Test, DoubleClicksAndBackToTheBoard) {
  h.RunLoaded([&] {
    Send(form.hwnd(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(100, 100));
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(MenuBarUp());

    Draw(0.0);
    Send(form.maintxt(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(TextViewUp());
    EXPECT_TRUE(MenuBarUp()) << "a double-click leaves the menu bar as it was";
    EXPECT_EQ(WindowText(form.maintxt()), kLot384) << "hiding the text view keeps its text";

    for (bool textFirst : {false, true}) {
      if (textFirst) Draw(0.0);
      h.Command(IDM_mnuBEGin);
      EXPECT_FALSE(TextViewUp());
      EXPECT_FALSE(MenuBarUp());
      EXPECT_TRUE(form.m_bShuffling()) << "the board loop goes on";
    }
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

// An empty text view says so and leaves the print buffer as it was.
TEST_F(Form1Test, CtrlPPrintsTheTextViewWhateverElseIsHeld) {
  h.RunLoaded([&] {
    form.txtother().SetText(L"earlier");
    Draw(100.5 / 384);  // lot 100 has no row
    ASSERT_TRUE(TextViewUp());
    ASSERT_EQ(WindowText(form.maintxt()), L"");
    PressOverText('P', {VK_CONTROL});
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"没有可打印的内容"});
    EXPECT_TRUE(h.printer.flagsSeen.empty());
    EXPECT_EQ(form.txtother().Text(), L"earlier");

    h.messages.texts.clear();
    Draw(0.0);
    PressOverText('P', {});
    PressOverText('P', {VK_SHIFT});
    PressOverText('Q', {VK_CONTROL});
    EXPECT_TRUE(h.textPrinter.printed.empty()) << "only Control with P is a command";
    PressOverText('P', {VK_CONTROL});
    PressOverText('P', {VK_CONTROL, VK_SHIFT});
    PressOverText('P', {VK_CONTROL, VK_MENU});
    // The rich-text box holds paragraphs ended by a bare CR.
    const std::wstring copied = L"第三百八十四签\r有中子自行男";
    EXPECT_EQ(form.txtother().Text(), copied);
    EXPECT_EQ(h.textPrinter.printed, std::vector<std::wstring>(3, copied));
    EXPECT_EQ(h.textPrinter.faces.front(), L"宋体");
    ASSERT_EQ(h.printer.flagsSeen.size(), 3u);
    EXPECT_EQ(h.printer.flagsSeen[2], h.printer.flagsSeen[0]) << "one print leaves nothing to the next";

    h.printer.answer = printing::DialogResult::Cancelled;
    PressOverText('P', {VK_CONTROL});
    EXPECT_EQ(h.printer.flagsSeen.size(), 4u);
    EXPECT_EQ(h.textPrinter.printed.size(), 3u) << "a cancelled dialog prints nothing";
    EXPECT_TRUE(h.messages.texts.empty());
  });
}

// Through the menu, or a close request while a handler runs inside the
// loop: the loop stops and start-up returns.
TEST(Form1Closing, StopsTheLoopAndEndsStartUp) {
  for (bool fromInside : {false, true}) {
    FormHarness fresh;
    HWND hwnd = nullptr;
    fresh.RunLoaded([&] {
      hwnd = fresh.form->hwnd();
      if (!fromInside) {
        ::PostMessageW(hwnd, WM_COMMAND, IDM_MnuTuiCH, 0);
        return;
      }
      ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
      EXPECT_FALSE(::IsWindow(hwnd));
      EXPECT_FALSE(fresh.form->m_bShuffling());
    });
    EXPECT_FALSE(::IsWindow(hwnd)) << fromInside;
    EXPECT_EQ(fresh.form->hwnd(), nullptr);
    EXPECT_FALSE(fresh.form->m_bShuffling());
  }
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

TEST_F(BoardLoopTest, TheStageIsTheScreensSizeAndShowsAgainWhenTheTextViewGoes) {
  COLORREF window = 0, stage = 1;
  h.RunLoaded([&] {
    EXPECT_EQ(form.board().Stage().Width(), h.screen.size.cx);
    EXPECT_EQ(form.board().Stage().Height(), h.screen.size.cy);
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
