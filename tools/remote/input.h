#pragma once
// Input as a person gives it: mouse and keys through the system's input
// queue, which delivers them to whatever window is under the pointer or
// has the focus, and typed characters posted to one box.
#include <windows.h>

#include <string_view>

namespace remote {

enum class Button { Left, Right, Middle };

void MoveTo(POINT screen);
void Click(POINT screen, Button button = Button::Left);
void DoubleClick(POINT screen);

// A key pressed and released, with a modifier (Ctrl, Shift) held around it
// when one is given.
inline constexpr WORD kNoModifier = 0;
void Press(WORD virtualKey, WORD modifier = kNoModifier);
// A key held down for a while, as the board's keys are read by polling.
void Hold(WORD virtualKey, DWORD ms);

// Characters as a keyboard or an input method hands them to the box.
void Type(HWND box, std::wstring_view text);

// The screen point at the fractions of the window's client area.
POINT ClientPoint(HWND hwnd, double fx, double fy);

}  // namespace remote
