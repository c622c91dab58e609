// The splash, instructions and About windows.
#include <gtest/gtest.h>

#include <chrono>

#include "app/form1_ids.h"
#include "common/product.h"
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

// An empty line, then the paragraphs, with no line break after the last,
// read-only. The box keeps a fixed margin of the window free as it is
// resized, and has no negative size in a window smaller than that margin.
TEST_F(InfoTest, TheInstructionsAreParagraphsInABoxThatFollowsTheWindow) {
  const app::frmsuom& w = h.Open(IDM_MnuSUO, &app::Form1::frmsuomWindow);
  const std::wstring text = WindowText(w.txtsM());
  ASSERT_GT(text.size(), 2u);
  EXPECT_EQ(text.find(L"\r\n"), 0u);
  EXPECT_NE(text.find(L"\r\n", 2), std::wstring::npos) << "more than one paragraph";
  EXPECT_NE(text.substr(text.size() - 2), L"\r\n");
  EXPECT_TRUE(::GetWindowLongW(w.txtsM(), GWL_STYLE) & ES_READONLY);
  const auto resize = [&](int width, int height) {
    ::SetWindowPos(w.hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
    RECT r{};
    ::GetWindowRect(w.txtsM(), &r);
    ::MapWindowPoints(nullptr, w.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    return SIZE{r.right, r.bottom};
  };
  const SIZE small = resize(500, 400), large = resize(700, 300);
  EXPECT_NEAR(large.cx - small.cx, 200, 1);
  EXPECT_NEAR(large.cy - small.cy, -100, 1);
  const SIZE tiny = resize(5, 30);
  EXPECT_EQ(tiny.cy, 0);
  EXPECT_GE(tiny.cx, 0);
}

// Each link goes to the shell and closes the window, whether or not it
// opened; only a result of zero is reported.
TEST_F(InfoTest, AboutShowsTheVersionAndEachLinkGoesToTheShell) {
  app::frmAbout* w = &h.Open(IDM_mnUabout, &app::Form1::frmAboutWindow);
  EXPECT_EQ(WindowText(w->lblVersion()), L"V" + std::to_wstring(VESHA_VERSION_MAJOR) + L"." +
                                             std::to_wstring(VESHA_VERSION_MINOR) + L"." +
                                             std::to_wstring(VESHA_VERSION_REVISION));
  for (INT_PTR result : {2, 32, 42}) {
    h.shell.answer = {result, 7};
    w->ExecuteLink(L"x:y");
  }
  EXPECT_TRUE(h.messages.texts.empty());
  h.shell.answer = {0, 8};
  w->ExecuteLink(L"https://here");
  EXPECT_EQ(h.messages.texts, std::vector<std::wstring>{L"Error Opening Link to https://here\r\n\r\n8"});
  EXPECT_EQ(h.messages.titles, std::vector<std::wstring>{L"frmAbout::ExecuteLink"});

  using Label = HWND (app::frmAbout::*)() const;
  const std::pair<Label, std::wstring> links[] = {{&app::frmAbout::lblLink, L""},
                                                  {&app::frmAbout::lblMailTo, L"mailto:"}};
  for (const auto& [label, scheme] : links) {
    w = &h.Open(IDM_mnUabout, &app::Form1::frmAboutWindow);
    const std::wstring shown = WindowText((w->*label)());
    FormHarness::Click((w->*label)());
    EXPECT_EQ(h.shell.links.back(), scheme + shown);
    EXPECT_EQ(form.frmAboutWindow(), nullptr);
  }
  EXPECT_EQ(h.messages.texts.size(), 3u) << "one for each failed link";
}

}  // namespace
