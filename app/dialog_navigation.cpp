#include "app/dialog_navigation.h"

#include <algorithm>
#include <vector>

namespace app {
namespace {

// One thread and a handful of windows: a plain list serves.
std::vector<HWND>& Windows() {
  static std::vector<HWND> windows;
  return windows;
}

}  // namespace

void RegisterDialogWindow(HWND hwnd) { Windows().push_back(hwnd); }

void UnregisterDialogWindow(HWND hwnd) { std::erase(Windows(), hwnd); }

bool TranslateDialogMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND top = ::GetAncestor(msg.hwnd, GA_ROOT);
  const auto& windows = Windows();
  return std::find(windows.begin(), windows.end(), top) != windows.end() &&
         ::IsDialogMessageW(top, &msg);
}

}  // namespace app
