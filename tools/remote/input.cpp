#include "remote/input.h"

#include <array>

namespace remote {
namespace {

// Full scale of absolute mouse coordinates.
constexpr double kAbsoluteScale = 65535;
// A person's click is not instant; the double-click time is far longer.
constexpr DWORD kPressMs = 30;

void SendOne(INPUT input) { ::SendInput(1, &input, sizeof input); }

INPUT MouseInput(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  return input;
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

std::array<DWORD, 2> ButtonFlags(Button button) {
  switch (button) {
    case Button::Right:
      return {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
    case Button::Middle:
      return {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP};
    case Button::Left:
      break;
  }
  return {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
}

}  // namespace

void MoveTo(POINT screen) {
  INPUT move = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  move.mi.dx = static_cast<LONG>(screen.x * kAbsoluteScale / (::GetSystemMetrics(SM_CXSCREEN) - 1));
  move.mi.dy = static_cast<LONG>(screen.y * kAbsoluteScale / (::GetSystemMetrics(SM_CYSCREEN) - 1));
  SendOne(move);
}

void Click(POINT screen, Button button) {
  MoveTo(screen);
  const auto flags = ButtonFlags(button);
  SendOne(MouseInput(flags[0]));
  ::Sleep(kPressMs);
  SendOne(MouseInput(flags[1]));
}

void DoubleClick(POINT screen) {
  Click(screen);
  ::Sleep(kPressMs);
  Click(screen);
}

void Press(WORD virtualKey, WORD modifier) {
  if (modifier != kNoModifier) SendOne(KeyInput(modifier, false));
  SendOne(KeyInput(virtualKey, false));
  ::Sleep(kPressMs);
  SendOne(KeyInput(virtualKey, true));
  if (modifier != kNoModifier) SendOne(KeyInput(modifier, true));
}

void Hold(WORD virtualKey, DWORD ms) {
  SendOne(KeyInput(virtualKey, false));
  ::Sleep(ms);
  SendOne(KeyInput(virtualKey, true));
}

void Type(HWND box, std::wstring_view text) {
  for (wchar_t c : text) ::PostMessageW(box, WM_CHAR, c, 0);
}

POINT ClientPoint(HWND hwnd, double fx, double fy) {
  RECT client{};
  ::GetClientRect(hwnd, &client);
  POINT p{static_cast<LONG>(client.right * fx), static_cast<LONG>(client.bottom * fy)};
  ::ClientToScreen(hwnd, &p);
  return p;
}

}  // namespace remote
