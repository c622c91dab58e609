#pragma once
// Stand-ins for the platform seams: fixed random draws, recorded message
// boxes and printer dialogs, a clock that tests step by hand.
#include <windows.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "app/frame_clock.h"
#include "app/key_state.h"
#include "app/message_prompt.h"
#include "app/random_source.h"
#include "app/screen.h"
#include "app/shell_opener.h"
#include "support/lot_view_fake.h"
#include "support/printer_fakes.h"

namespace testing_support {

class FakeRandom final : public app::RandomSource {
 public:
  void Randomize() override { ++randomizeCalls; }
  // The queued draws in order, then the last one again.
  double Rnd() override {
    const double r = draws.empty() ? 0.0 : draws.front();
    if (draws.size() > 1) draws.pop_front();
    return r;
  }
  std::deque<double> draws;
  int randomizeCalls = 0;
};

class RecordingMessages final : public app::MessagePrompt {
 public:
  using MessagePrompt::Show;
  void Show(HWND, std::wstring_view text, std::wstring_view title) override {
    texts.emplace_back(text);
    titles.emplace_back(title);
  }
  std::vector<std::wstring> texts;
  std::vector<std::wstring> titles;
};

// Time stands still until a wait moves it on by the time asked for.
class ManualClock final : public app::FrameClock {
 public:
  time_point Now() override { return now; }
  void WaitForEvents(duration timeout) override {
    waits.push_back(timeout);
    now += timeout;
  }
  time_point now{};
  std::vector<duration> waits;
};

// Keys the test holds down; nothing is pressed unless it says so.
class FakeKeys final : public app::KeyState {
 public:
  bool Pressed(int virtualKey) override { return down.count(virtualKey) != 0; }
  bool Held(int virtualKey) override { return down.count(virtualKey) != 0; }
  std::set<int> down;
};

// A screen of the test's size, whatever the machine's is.
class FakeScreen final : public app::Screen {
 public:
  SIZE SizeInPixels() override { return size; }
  SIZE size{1024, 768};
};

// Records the links handed to the shell and answers as told.
class FakeShell final : public app::ShellOpener {
 public:
  app::ShellAnswer Open(const std::wstring& link) override {
    links.push_back(link);
    return answer;
  }
  app::ShellAnswer answer{42, 0};
  std::vector<std::wstring> links;
};

}  // namespace testing_support
