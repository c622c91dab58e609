#pragma once
// The keyboard, as a seam: the program reads the system's key state, tests
// say which keys are down.
#include <windows.h>

namespace app {

class KeyState {
 public:
  virtual ~KeyState() = default;
  // Down now, or pressed since the last poll: the board polls between frames.
  virtual bool Pressed(int virtualKey) = 0;
  // Down when the key message being handled was sent: a key's modifiers.
  virtual bool Held(int virtualKey) = 0;
};

class SystemKeyState final : public KeyState {
 public:
  bool Pressed(int virtualKey) override { return ::GetAsyncKeyState(virtualKey) != 0; }
  bool Held(int virtualKey) override { return ::GetKeyState(virtualKey) < 0; }
};

}  // namespace app
