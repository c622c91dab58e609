#include "app/controls.h"

#include "common/twips.h"

namespace app {

HWND CreateControl(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style,
                   int id, const RECT& twips, HFONT font, DWORD exStyle) {
  const RECT px = win::TwipsRect(twips.left, twips.top, twips.right - twips.left,
                                 twips.bottom - twips.top);
  HWND h = ::CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, px.left,
                             px.top, px.right - px.left, px.bottom - px.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (h && font) ::SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return h;
}

RECT TwipsBox(int left, int top, int width, int height, POINT container) {
  return {container.x + left, container.y + top, container.x + left + width,
          container.y + top + height};
}

RECT CentredWindowRect(DWORD style, DWORD exStyle, int clientWidthTwips, int clientHeightTwips) {
  RECT r{0, 0, win::TwipsToPixelsX(clientWidthTwips), win::TwipsToPixelsY(clientHeightTwips)};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  const int x = work.left + (work.right - work.left - w) / 2;
  const int y = work.top + (work.bottom - work.top - h) / 2;
  return {x, y, x + w, y + h};
}

LRESULT ColouredLabel(HDC dc, COLORREF text) {
  ::SetTextColor(dc, text);
  ::SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void ShowNonModal(HWND hwnd) {
  if (!hwnd) return;
  ::ShowWindow(hwnd, SW_SHOW);
  ::SetForegroundWindow(hwnd);
  ::SetActiveWindow(hwnd);
}

}  // namespace app
