// The splash, instructions and About windows.
#include <gtest/gtest.h>

#include <chrono>

#include "app/form1_ids.h"
#include "common/product.h"
#include "common/twips.h"
#include "common/window_text.h"
#include "support/form_harness.h"
#include "support/gui.h"

using namespace app::form1;
using testing_support::FormHarness;
using win::WindowText;

namespace {

class InfoTest : public ::testing::Test {
 protected:
  FormHarness h;
  app::Form1& form = *h.form;
};

TEST_F(InfoTest, TheSplashIsOnTopForAboutASecondOfStartUp) {
  bool seen = false, topmost = false;
  FormHarness::After(300, [&] {
    const app::frmsplash* splash = form.frmsplashWindow();
    seen = splash && ::IsWindowVisible(splash->hwnd());
    topmost = splash && (::GetWindowLongW(splash->hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  });
  const auto start = std::chrono::steady_clock::now();
  double seconds = 0;
  h.RunLoaded([&] {
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(form.frmsplashWindow(), nullptr);
    EXPECT_EQ(testing_support::CountWindows(app::frmsplash::ClassName()), 0);
  });
  EXPECT_TRUE(seen);
  EXPECT_TRUE(topmost);
  EXPECT_GE(seconds, 0.95);
  EXPECT_LT(seconds, 2.5) << "a second of splash and no more";
}

TEST_F(InfoTest, InstructionsTextIsBuiltPieceByPiece) {
  const app::frmsuom* w = &h.Open(IDM_MnuSUO, &app::Form1::frmsuomWindow);
  wchar_t caption[8] = {};
  ::GetWindowTextW(w->hwnd(), caption, 8);
  EXPECT_STREQ(caption, L"说明");
  const std::wstring text = WindowText(w->txtsM());
  const std::wstring two =
      L"     二、这完全是一个娱乐性的软件，供大家在茶余饭后消遣用，千万不可将其作为营生，更不能以此指导你的行为。";
  const std::wstring last =
      L"     八、用法简介：要打印文本的内容请按住Ctrl键不放再按P键,从文本窗口回到主界面请双击一下。";
  ASSERT_EQ(text.substr(0, 2), L"\r\n") << "an empty line first";
  EXPECT_EQ(text.substr(2, 7), L"     一、");
  const size_t at = text.find(L"\r\n" + two + L"\r\n" + last);
  ASSERT_NE(at, std::wstring::npos);
  EXPECT_EQ(at + 2 + two.size() + 2 + last.size(), text.size()) << "no line break at the end";
  EXPECT_GT(at, 10u) << "paragraph one has words of its own";

  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(w->txtsM(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"宋体");
  EXPECT_TRUE(::GetWindowLongW(w->txtsM(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(InfoTest, TheInstructionsBoxFollowsTheWindowAndNeverGoesNegative) {
  const app::frmsuom* w = &h.Open(IDM_MnuSUO, &app::Form1::frmsuomWindow);
  const auto box = [&] {
    RECT r{};
    ::GetWindowRect(w->txtsM(), &r);
    POINT at{r.left, r.top};
    ::ScreenToClient(w->hwnd(), &at);
    return RECT{at.x, at.y, at.x + r.right - r.left, at.y + r.bottom - r.top};
  };
  for (SIZE outer : {SIZE{500, 400}, SIZE{700, 300}}) {
    ::SetWindowPos(w->hwnd(), nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT actual{};
    ::GetWindowRect(w->hwnd(), &actual);
    const RECT b = box();
    EXPECT_EQ(b.left, 0);
    EXPECT_EQ(b.top, 0);
    EXPECT_EQ(b.right - b.left, win::TwipsToPixelsX(win::PixelsToTwipsX(actual.right - actual.left) - 130));
    EXPECT_EQ(b.bottom - b.top, win::TwipsToPixelsY(win::PixelsToTwipsY(actual.bottom - actual.top) - 650));
  }
  ::SetWindowPos(w->hwnd(), nullptr, 0, 0, 5, 30, SWP_NOMOVE | SWP_NOZORDER);
  RECT actual{};
  ::GetWindowRect(w->hwnd(), &actual);
  ASSERT_LT(win::PixelsToTwipsY(actual.bottom - actual.top), 650) << "the window got that small";
  const RECT b = box();
  EXPECT_EQ(b.bottom - b.top, 0);
  EXPECT_GE(b.right - b.left, 0);
}

TEST_F(InfoTest, AboutShowsTheVersionAndTheNotice) {
  const app::frmAbout* w = &h.Open(IDM_mnUabout, &app::Form1::frmAboutWindow);
  EXPECT_EQ(WindowText(w->lblVersion()), L"V" + std::to_wstring(VESHA_VERSION_MAJOR) + L"." +
                                             std::to_wstring(VESHA_VERSION_MINOR) + L"." +
                                             std::to_wstring(VESHA_VERSION_REVISION));
  const std::wstring disclaimer = WindowText(w->lblDisclaimer());
  const std::wstring tail = L"②本软件仅作游戏用，用作其它用途后果自负。";
  ASSERT_GT(disclaimer.size(), tail.size());
  EXPECT_EQ(disclaimer.substr(disclaimer.size() - tail.size()), tail);
  EXPECT_EQ(WindowText(w->lblMailTo()).find(L'@') != std::wstring::npos, true);
}

TEST_F(InfoTest, EachLinkGoesToTheShellAndClosesTheWindow) {
  h.Command(IDM_mnUabout);
  HWND link = form.frmAboutWindow()->lblLink();
  const std::wstring home = WindowText(link);
  FormHarness::Click(link);
  EXPECT_EQ(h.shell.links, std::vector<std::wstring>{home});
  EXPECT_EQ(form.frmAboutWindow(), nullptr);

  h.Command(IDM_mnUabout);
  const std::wstring mail = WindowText(form.frmAboutWindow()->lblMailTo());
  FormHarness::Click(form.frmAboutWindow()->lblMailTo());
  ASSERT_EQ(h.shell.links.size(), 2u);
  EXPECT_EQ(h.shell.links[1], L"mailto:" + mail);
  EXPECT_EQ(form.frmAboutWindow(), nullptr);
  EXPECT_TRUE(h.messages.texts.empty());
}

TEST_F(InfoTest, OnlyAResultOfZeroIsReported) {
  app::frmAbout* w = &h.Open(IDM_mnUabout, &app::Form1::frmAboutWindow);
  for (INT_PTR result : {2, 31, 32, 33, 42}) {
    h.shell.answer = {result, 7};
    w->ExecuteLink(L"x:y");
  }
  EXPECT_TRUE(h.messages.texts.empty());
  h.shell.answer = {0, 8};
  w->ExecuteLink(L"https://here");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"Error Opening Link to https://here\r\n\r\n8"});
  EXPECT_EQ(h.messages.titles, std::vector<std::wstring>{L"frmAbout::ExecuteLink"});

  h.messages.texts.clear();
  FormHarness::Click(w->lblLink());
  EXPECT_EQ(h.messages.texts.size(), 1u);
  EXPECT_EQ(form.frmAboutWindow(), nullptr) << "closed whether or not the link opened";
}

}  // namespace
