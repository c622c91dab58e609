#pragma once
// The screen's size, as a seam: the board's stage and its sprites' first
// places follow it, and tests choose it rather than take the machine's.
#include <windows.h>

namespace app {

class Screen {
 public:
  virtual ~Screen() = default;
  virtual SIZE SizeInPixels() = 0;
};

class SystemScreen final : public Screen {
 public:
  SIZE SizeInPixels() override { return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}; }
};

}  // namespace app
