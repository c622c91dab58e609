#pragma once
// Laying out the program's small windows: child controls placed in twips,
// windows sized by their client area and centred on the screen.
#include <windows.h>

namespace app {

// A child control at a rectangle given in twips (left, top, width, height),
// in the font given. The parent window destroys it.
HWND CreateControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                   int id, const RECT& twips, HFONT font, DWORD exStyle = 0);

// Twips rectangle from left, top, width, height, offset by a container's
// own left and top (a frame's children are placed relative to the frame).
RECT TwipsBox(int left, int top, int width, int height, POINT container = {0, 0});

// The outer rectangle, centred on the screen's work area, of a window with
// this style whose client area is the given size in twips.
RECT CentredWindowRect(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips);

// The answer to WM_CTLCOLORSTATIC for a label in its own text colour on
// the window's face.
LRESULT ColouredLabel(HDC dc, COLORREF text);

// Shows a window without blocking its owner and brings it to the front.
void ShowNonModal(HWND hwnd);

}  // namespace app
