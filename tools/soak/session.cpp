#include "soak/session.h"

#include <filesystem>

#include "common/codepage.h"
#include "remote/dialogs.h"
#include "remote/input.h"
#include "remote/process_usage.h"
#include "remote/process_windows.h"

namespace soak {
namespace {

constexpr UINT kAnswerMs = 5000;
constexpr ULONGLONG kWindowTimeoutMs = 10000;
constexpr ULONGLONG kTextTimeoutMs = 10000;
constexpr ULONGLONG kMenuPatienceMs = 2000;
constexpr DWORD kMenuKeyGapMs = 150;
constexpr int kMenuAttempts = 2;
// From a text view with the menu bar, now and then back to the board first.
constexpr double kDoubleClickChance = 0.3;
// A draw may give the lot already shown; then nothing changes to wait for.
constexpr ULONGLONG kSameLotWaitMs = 2000;
constexpr size_t kRecentSteps = 20;
constexpr int kBoardPointTries = 50;
// Board points are taken away from the edges, where the frame is.
constexpr double kBoardMargin = 0.05;
constexpr double kTextRight = 0.8;
constexpr remote::Button kButtons[] = {remote::Button::Left, remote::Button::Right, remote::Button::Middle};
// On the board, now and then the keyboard's way to the menu instead of a click.
constexpr double kMenuKeyChance = 0.2;
constexpr size_t kShownTextChars = 40;

HWND TextView(const remote::RunningProgram& p) { return p.Control(app::form1::IDC_maintxt); }

std::wstring Excerpt(const std::wstring& text) {
  return text.size() <= kShownTextChars ? text : text.substr(0, kShownTextChars) + L"…";
}

}  // namespace

Session::Session(const std::wstring& exePath, std::uint64_t seed)
    : random_(seed),
      store_(std::filesystem::path(exePath).parent_path().wstring()),
      program_(exePath) {}

int Session::Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

double Session::Fraction() { return std::uniform_real_distribution<double>(0, 1)(random_); }

bool Session::Chance(double p) { return Fraction() < p; }

bool Session::TextViewShown() const { return ::IsWindowVisible(TextView(program_)) != 0; }

bool Session::MenuBarShown() const { return ::GetMenu(program_.main()) != nullptr; }

std::wstring Session::ShownText() const { return remote::TextOf(TextView(program_)); }

// The text view keeps its height when the window shrinks, so its middle
// may lie below the window: the point is taken in the window's client area,
// which the text view covers, left of the scroll bar.
POINT Session::TextPoint() {
  return remote::ClientPoint(program_.main(), kBoardMargin + (kTextRight - kBoardMargin) * Fraction(), 1.0 / 2);
}

POINT Session::BoardPoint() {
  for (int i = 0; i < kBoardPointTries; ++i) {
    const double fx = kBoardMargin + (1 - 2 * kBoardMargin) * Fraction();
    const double fy = kBoardMargin + (1 - 2 * kBoardMargin) * Fraction();
    const POINT p = remote::ClientPoint(program_.main(), fx, fy);
    if (::WindowFromPoint(p) == program_.main()) return p;
  }
  throw remote::Failure("no point of the board is free of other windows");
}

void Session::Step(std::string what) {
  recent_.push_back(std::move(what));
  if (recent_.size() > kRecentSteps) recent_.pop_front();
}

std::string Session::RecentSteps() const {
  std::string lines;
  for (const auto& s : recent_) lines += "  " + s + "\n";
  return lines;
}

void Session::Check() {
  if (!program_.Running()) {
    DWORD code = 0;
    ::GetExitCodeProcess(program_.process(), &code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", code);
    throw remote::Failure(std::string("the program ended by itself (exit code ") + hex + ")");
  }
  if (!remote::Answers(program_.main(), kAnswerMs))
    throw remote::Failure("the program did not answer within " + remote::Seconds(kAnswerMs) + ": it hangs");
  if (const auto box = remote::FindMessageBox(program_.pid()))
    throw remote::Failure("a message box that no step caused: \"" + win::ToUtf8(box->text) + "\"");
}

void Session::Sample() { usage_.Add(remote::UsageOf(program_.process(), program_.pid())); }

HWND Session::AwaitPopupMenu(ULONGLONG timeoutMs) {
  HWND popup = nullptr;
  remote::WaitFor(timeoutMs, [&] {
    const auto menus = remote::TopLevelOf(program_.pid(), remote::kPopupMenuClass);
    popup = menus.empty() ? nullptr : menus.front();
    return popup != nullptr;
  });
  return popup;
}

void Session::ReturnToBoard() {
  Step("double-click on the text view");
  const POINT at = TextPoint();
  remote::DoubleClick(at);
  if (remote::WaitFor(kMenuPatienceMs, [&] { return !TextViewShown(); })) return;
  // As with the menu, a person double-clicks again.
  Step("the double-click did not take: again");
  ++tally_.clicksAgain;
  remote::DoubleClick(at);
  if (!remote::WaitFor(kWindowTimeoutMs, [&] { return !TextViewShown(); }))
    throw remote::Failure("a double-click on the text view did not return to the board");
}

void Session::Choose(MenuId item) {
  if (TextViewShown() && (!MenuBarShown() || Chance(kDoubleClickChance))) ReturnToBoard();
  HWND popup = nullptr;
  if (TextViewShown()) {
    popup = PopupFromMenuBar(item);
  } else {
    // The keys reach the board only while the main window has the keyboard.
    if (::GetForegroundWindow() == program_.main() && Chance(kMenuKeyChance)) popup = PopupByKeys(item);
    if (!popup) popup = PopupByClick(item);
    // A popup opens where the pointer is, which may light an item: the
    // first item is found from Home.
    ::Sleep(kMenuKeyGapMs);
    remote::Press(VK_HOME);
  }
  // Keys come at a person's pace.
  for (int i = 0; i < app::form1::MenuPosition(item); ++i) {
    ::Sleep(kMenuKeyGapMs);
    remote::Press(VK_DOWN);
  }
  ::Sleep(kMenuKeyGapMs);
  remote::Press(VK_RETURN);
  if (!remote::WaitFor(kWindowTimeoutMs, [&] { return !::IsWindowVisible(popup); }))
    throw remote::Failure("the menu did not close on Return");
  ++tally_.commands;
}

// The menu bar by the keys: F10 lights it, Down opens its menu on the first
// item. (A click on Wine's menu bar now and then passes right after a
// command was chosen from it.) A click into the text first puts the
// keyboard there, as after a print nothing of the window may have it.
HWND Session::PopupFromMenuBar(MenuId item) {
  Step("menu bar by keys, item " + std::to_string(app::form1::MenuPosition(item) + 1));
  remote::Click(TextPoint());
  HWND popup = nullptr;
  for (int attempt = 0; attempt < kMenuAttempts && !popup; ++attempt) {
    if (attempt > 0) {
      Step("the menu bar did not open: F10 again");
      ++tally_.clicksAgain;
    }
    ::Sleep(kMenuKeyGapMs);
    remote::Press(VK_F10);
    ::Sleep(kMenuKeyGapMs);
    remote::Press(VK_DOWN);
    popup = AwaitPopupMenu(kMenuPatienceMs);
  }
  if (!popup) throw remote::Failure("F10 and Down opened no menu");
  return popup;
}

// Shift+F10 or the Application key, as a keyboard user opens the menu.
// Nothing when it did not open: the caller clicks instead.
HWND Session::PopupByKeys(MenuId item) {
  const bool shiftF10 = Chance(1.0 / 2);
  Step(std::string(shiftF10 ? "Shift+F10" : "the Application key") + ", item " +
       std::to_string(app::form1::MenuPosition(item) + 1));
  if (shiftF10)
    remote::Press(VK_F10, VK_SHIFT);
  else
    remote::Press(VK_APPS);
  HWND popup = AwaitPopupMenu(kMenuPatienceMs);
  if (!popup) {
    Step("the keys opened no menu: a click instead");
    ++tally_.clicksAgain;
  }
  return popup;
}

// Any mouse button over the board.
HWND Session::PopupByClick(MenuId item) {
  const remote::Button button = kButtons[Pick(static_cast<int>(std::size(kButtons)))];
  Step("popup menu, item " + std::to_string(app::form1::MenuPosition(item) + 1));
  const POINT at = BoardPoint();
  remote::Click(at, button);
  HWND popup = AwaitPopupMenu(kMenuPatienceMs);
  if (!popup) {
    // The first click into a window that was not active is now and then
    // spent on activating it under Wine; a person clicks again.
    Step("the menu did not open: click again");
    ++tally_.clicksAgain;
    remote::Click(at, button);
    popup = AwaitPopupMenu(kWindowTimeoutMs);
  }
  if (!popup) throw remote::Failure("the menu did not open within " + remote::Seconds(kWindowTimeoutMs));
  return popup;
}

// A button's own click message: under Wine a mouse click on a window that
// has just become active again is now and then spent on the activation,
// and a second click cannot be risked where the first may yet arrive.
void Session::Press(HWND button) { ::PostMessageW(button, BM_CLICK, 0, 0); }

HWND Session::AwaitWindow(const wchar_t* className, const char* what) {
  HWND window = nullptr;
  remote::WaitFor(kWindowTimeoutMs, [&] { return (window = program_.Window(className)) != nullptr; });
  if (!window) throw remote::Failure(std::string(what) + " did not open within " + remote::Seconds(kWindowTimeoutMs));
  return window;
}

void Session::AwaitGone(HWND window, const char* what) {
  if (!remote::WaitFor(kWindowTimeoutMs, [&] { return !::IsWindow(window) || !::IsWindowVisible(window); }))
    throw remote::Failure(std::string(what) + " did not close within " + remote::Seconds(kWindowTimeoutMs));
}

std::wstring Session::ExpectMessageBox(const char* cause) {
  const auto text = TakeMessageBox(kWindowTimeoutMs, cause);
  if (!text) throw remote::Failure(std::string("no message box came for ") + cause);
  return *text;
}

std::optional<std::wstring> Session::TakeMessageBox(ULONGLONG timeoutMs, const char* cause) {
  std::optional<remote::MessageBoxSeen> box;
  remote::WaitFor(timeoutMs, [&] { return (box = remote::FindMessageBox(program_.pid())).has_value(); });
  if (!box) return std::nullopt;
  Step("message box \"" + win::ToUtf8(box->text) + "\" for " + cause);
  remote::PressButton(box->hwnd, IDOK);
  AwaitGone(box->hwnd, "the message box");
  ++tally_.messages;
  return box->text;
}

void Session::CheckLotShown(std::int16_t lot) {
  const std::wstring& expected = store_.TextOf(lot);
  std::wstring shown;
  remote::WaitFor(kTextTimeoutMs, [&] { return TextViewShown() && (shown = ShownText()) == expected; });
  if (!TextViewShown()) throw remote::Failure("lot " + std::to_string(lot) + ": the text view did not show");
  if (shown != expected)
    throw remote::Failure("lot " + std::to_string(lot) + ": the text view shows \"" + win::ToUtf8(Excerpt(shown)) +
                          "\", the store holds \"" + win::ToUtf8(Excerpt(expected)) + "\"");
  Step("lot " + std::to_string(lot) + " shown");
  ++tally_.lots;
}

void Session::CheckSomeLotShown(const std::wstring& before) {
  std::wstring shown;
  const auto changed = [&] { return TextViewShown() && !(shown = ShownText()).empty() && shown != before; };
  if (!remote::WaitFor(kSameLotWaitMs, changed)) remote::WaitFor(kTextTimeoutMs, [&] {
      return TextViewShown() && !(shown = ShownText()).empty();
    });
  const std::int16_t lot = store_.LotWithText(shown);
  if (!lot) throw remote::Failure("a draw shows \"" + win::ToUtf8(Excerpt(shown)) + "\", which is no lot's text in the store");
  Step("drawn lot " + std::to_string(lot) + " shown");
  ++tally_.lots;
}

}  // namespace soak
