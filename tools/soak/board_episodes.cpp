#include "remote/input.h"
#include "remote/process_windows.h"
#include "soak/episodes.h"

namespace soak {
namespace {

constexpr int kMostKeys = 6;
constexpr int kLongestHoldMs = 300;
constexpr WORD kBoardKeys[] = {VK_LEFT, VK_RIGHT, VK_SPACE};
constexpr ULONGLONG kMenuSettleMs = 1000;
// The main window is never made smaller than a usable board.
constexpr int kSmallestWidth = 320;
constexpr int kSmallestHeight = 240;

}  // namespace

void BoardKeys(Session& s) {
  if (s.TextViewShown()) return;
  const int count = 1 + s.Pick(kMostKeys);
  for (int i = 0; i < count; ++i) {
    const WORD key = kBoardKeys[s.Pick(static_cast<int>(std::size(kBoardKeys)))];
    const int ms = s.Pick(kLongestHoldMs);
    s.Step("board key " + std::to_string(key) + " held " + std::to_string(ms) + " ms");
    remote::Hold(key, ms);
  }
}

// Each release over the board opens the menu, so a double-click there
// leaves a menu that the second click may already have closed; a person
// then presses Escape.
void DoubleClickBoard(Session& s) {
  if (s.TextViewShown()) return;
  s.Step("double-click on the board");
  remote::DoubleClick(s.BoardPoint());
  ::Sleep(kMenuSettleMs);
  for (HWND menu : remote::TopLevelOf(s.program().pid(), remote::kPopupMenuClass)) {
    s.Step("Escape from the menu");
    remote::Press(VK_ESCAPE);
    s.AwaitGone(menu, "the menu");
  }
}

void ResizeMain(Session& s) {
  const int width = kSmallestWidth + s.Pick(::GetSystemMetrics(SM_CXSCREEN) - kSmallestWidth);
  const int height = kSmallestHeight + s.Pick(::GetSystemMetrics(SM_CYSCREEN) - kSmallestHeight);
  s.Step("resize the main window to " + std::to_string(width) + " x " + std::to_string(height));
  ::SetWindowPos(s.program().main(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace soak
