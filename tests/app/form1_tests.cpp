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

const std::wstring kLot1 = L"第一签";
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

TEST_F(Form1Test, StartsOnTheBoardWithoutTheTextOrTheMenuBar) {
  bool ran = false;
  h.RunLoaded([&] {
    ran = form.m_bShuffling() && ::IsWindowVisible(form.hwnd());
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(::IsWindowVisible(form.txtother().hwnd()));
    EXPECT_FALSE(MenuBarUp());
    EXPECT_EQ(h.random.randomizeCalls, 1);
  });
  EXPECT_TRUE(ran);
}

// Any mouse button released over the board opens the popup menu there.
// Shift+F10 (which the system turns into a request without a position) and
// the Application key, on its release, open it at the board's centre; a
// request with a position, only over the board. F10 is the menu bar's key,
// and over the text view the mouse and keys are the text box's.
TEST_F(Form1Test, ThePopupOpensFromTheMouseAndTheKeyboardButNotOverTheTextView) {
  h.RunLoaded([&] {
    testing_support::PopupWatcher watcher;
    const HWND f = form.hwnd();
    const auto at = [&](int x, int y) {
      POINT p{x, y};
      ::ClientToScreen(f, &p);
      return MAKELPARAM(p.x, p.y);
    };
    const WPARAM self = reinterpret_cast<WPARAM>(f);
    const POINT centre{Client().right / 2, Client().bottom / 2};
    struct Case {
      UINT msg;
      WPARAM wp;
      LPARAM lp;
      bool opens;
      POINT where;
    };
    const Case cases[] = {{WM_LBUTTONUP, 0, MAKELPARAM(200, 150), true, {200, 150}},
                          {WM_RBUTTONUP, 0, MAKELPARAM(20, 15), true, {20, 15}},
                          {WM_MBUTTONUP, 0, MAKELPARAM(200, 150), true, {200, 150}},
                          {WM_CONTEXTMENU, self, -1, true, centre},
                          {WM_KEYDOWN, VK_APPS, 0, false, {}},
                          {WM_KEYUP, VK_APPS, 0, true, centre},
                          {WM_CONTEXTMENU, self, at(30, 40), true, {30, 40}},
                          {WM_CONTEXTMENU, self, at(30, -5), false, {}},
                          {WM_SYSKEYDOWN, VK_F10, 0, false, {}},
                          {WM_SYSKEYUP, VK_F10, 0, false, {}}};
    int opened = 0;
    for (const Case& c : cases) {
      Send(f, c.msg, c.wp, c.lp);
      opened += c.opens;
      EXPECT_EQ(watcher.Count(form.mnupopup()), opened) << c.msg << " " << c.wp;
      POINT last = watcher.LastPlace();
      ::ScreenToClient(f, &last);
      if (c.opens) {
        EXPECT_EQ(std::pair(last.x, last.y), std::pair(c.where.x, c.where.y)) << c.msg;
      }
    }
    Draw(0.0);
    ASSERT_TRUE(TextViewUp());
    const std::pair<UINT, WPARAM> overText[] = {{WM_LBUTTONUP, 0}, {WM_RBUTTONUP, 0}, {WM_KEYUP, VK_APPS}};
    for (const auto& [msg, wp] : overText) Send(form.maintxt(), msg, wp, MAKELPARAM(9, 9));
    EXPECT_EQ(watcher.Count(form.mnupopup()), opened);
  });
}

// Which draw gives which lot is the rule's; here, that the draw is used.
TEST_F(Form1Test, RandomDrawReseedsAndShowsTheDrawnLotWithTheMenuBar) {
  h.RunLoaded([&] {
    for (const auto& [r, text] : {std::pair{0.0, kLot384}, std::pair{1.5 / 384, kLot2}}) {
      const int before = h.random.randomizeCalls;
      Draw(r);
      EXPECT_EQ(h.random.randomizeCalls, before + 1);
      EXPECT_TRUE(TextViewUp());
      EXPECT_TRUE(MenuBarUp());
      EXPECT_EQ(WindowText(form.maintxt()), text) << r;
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

    Draw(0.0);
    h.Command(IDM_mnuBEGin);
    EXPECT_FALSE(TextViewUp());
    EXPECT_FALSE(MenuBarUp());
    EXPECT_TRUE(form.m_bShuffling()) << "the board loop goes on";
  });
}

// The text view's lower border lies outside the client area.
TEST_F(Form1Test, ResizingWidensTheTextViewButKeepsItsHeight) {
  h.RunLoaded([&] {
    for (int width : {500, 1000}) {
      ::SetWindowPos(form.hwnd(), nullptr, 0, 0, width, 400, SWP_NOMOVE | SWP_NOZORDER);
      RECT t{};
      ::GetWindowRect(form.maintxt(), &t);
      ::MapWindowPoints(nullptr, form.hwnd(), reinterpret_cast<POINT*>(&t), 2);
      EXPECT_EQ(t.left, 0);
      EXPECT_EQ(t.top, 0);
      EXPECT_EQ(t.right, Client().right);
      EXPECT_GT(t.bottom, Client().bottom);
    }
  });
}

// An empty text view says so and leaves the print buffer as it was.
TEST_F(Form1Test, CtrlPPrintsTheTextViewWhateverElseIsHeld) {
  h.RunLoaded([&] {
    form.txtother().SetText(L"earlier");
    Draw(100.5 / 384);  // lot 100 has no row
    PressOverText('P', {VK_CONTROL});
    EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"没有可打印的内容"});
    EXPECT_TRUE(h.printer.flagsSeen.empty());
    EXPECT_EQ(form.txtother().Text(), L"earlier");

    Draw(0.0);
    const std::pair<WPARAM, std::set<int>> presses[] = {{'P', {}},          {'P', {VK_SHIFT}},
                                                        {'Q', {VK_CONTROL}}, {'P', {VK_CONTROL}},
                                                        {'P', {VK_CONTROL, VK_SHIFT}}, {'P', {VK_CONTROL, VK_MENU}}};
    for (const auto& [key, held] : presses) PressOverText(key, held);
    // The rich-text box holds paragraphs ended by a bare CR.
    const std::wstring copied = L"第三百八十四签\r有中子自行男";
    EXPECT_EQ(form.txtother().Text(), copied);
    EXPECT_EQ(h.textPrinter.printed, std::vector<std::wstring>(3, copied)) << "only Control with P prints";
    EXPECT_EQ(h.textPrinter.faces.front(), L"宋体");
    EXPECT_EQ(h.messages.texts.size(), 1u);
  });
}

// Through the menu, or a close request from outside or while a handler
// runs inside the loop: the loop stops and start-up returns.
TEST(Form1Closing, StopsTheLoopAndEndsStartUp) {
  for (int way = 0; way < 3; ++way) {
    FormHarness fresh;
    HWND hwnd = nullptr;
    fresh.RunLoaded([&] {
      hwnd = fresh.form->hwnd();
      if (way == 0) ::PostMessageW(hwnd, WM_COMMAND, IDM_MnuTuiCH, 0);
      if (way != 1) return;
      ::SendMessageW(hwnd, WM_CLOSE, 0, 0);
      EXPECT_FALSE(fresh.form->m_bShuffling());
    });
    EXPECT_FALSE(::IsWindow(hwnd)) << way;
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

// The main window on the shipped art, with its board running: the ship
// jumps while another window has the focus, and the stage shows again
// when the text view goes.
TEST(BoardLoop, RunsUnderOtherWindowsAndBehindTheTextView) {
  FormHarness h{VESHA_BIN_DIR};
  app::Form1& form = *h.form;
  COLORREF window = 0, stage = 1;
  h.RunLoaded([&] {
    h.Command(IDM_MNUCeZi);
    h.random.draws = {0.0};  // lot 384, and a jump to the top left
    h.Command(IDM_fdfdfdf);
    ::SendMessageW(form.maintxt(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    h.keys.down = {VK_SPACE};
    FormHarness::After(300, [&] {
      EXPECT_NE(::GetForegroundWindow(), form.hwnd());
      EXPECT_EQ(form.board().Ship().X(), 0);
      // A corner the ship does not reach; stage and window agree there.
      window = ::GetPixel(form.hDC(), 3, 300);
      stage = ::GetPixel(form.board().Stage().hDC(), 3, 300);
      ::PostMessageW(form.hwnd(), WM_CLOSE, 0, 0);
    });
  });
  EXPECT_EQ(window, stage);
}

}  // namespace
