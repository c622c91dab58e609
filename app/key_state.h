#pragma once
// The keyboard as the board polls it, as a seam: the program reads the
// global key state, tests say which keys are down.
#include <windows.h>

namespace app {

class KeyState {
 public:
  virtual ~KeyState() = default;
  // Down now, or pressed since the last poll.
  virtual bool Pressed(int virtualKey) = 0;
};

class SystemKeyState final : public KeyState {
 public:
  bool Pressed(int virtualKey) override { return ::GetAsyncKeyState(virtualKey) != 0; }
};

}  // namespace app
