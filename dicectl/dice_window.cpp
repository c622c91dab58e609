#include "dicectl/dice_window.h"

#include <windowsx.h>

#include "dicectl/module.h"

namespace dicectl {

DiceWindow::~DiceWindow() {
  if (hwnd()) ::KillTimer(hwnd(), kTimer1);
  DestroyWnd();
}

HINSTANCE DiceWindow::ClassInstance() { return Module::Instance(); }

void DiceWindow::UnregisterClass() { ::UnregisterClassW(ClassName(), Module::Instance()); }

bool DiceWindow::Create() { return CreateWnd(0, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, HWND_MESSAGE); }

void DiceWindow::PlaceIn(HWND parent, const RECT& pos) {
  ::SetParent(hwnd(), parent);
  Move(pos);
  ::ShowWindow(hwnd(), SW_SHOWNA);
}

void DiceWindow::Park() {
  ::ShowWindow(hwnd(), SW_HIDE);
  ::SetParent(hwnd(), HWND_MESSAGE);
}

void DiceWindow::Move(const RECT& pos) {
  ::SetWindowPos(hwnd(), nullptr, pos.left, pos.top, pos.right - pos.left, pos.bottom - pos.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

// Setting a running timer again restarts its countdown from now, which is
// how a changed interval takes effect on the next tick.
void DiceWindow::SetTimer1(bool enabled, unsigned intervalMs) {
  if (enabled)
    ::SetTimer(hwnd(), kTimer1, intervalMs, nullptr);
  else
    ::KillTimer(hwnd(), kTimer1);
}

void DiceWindow::Repaint() { ::InvalidateRect(hwnd(), nullptr, FALSE); }

void DiceWindow::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd(), &ps);
  RECT client;
  ::GetClientRect(hwnd(), &client);
  imgDice_.Draw(dc, client);
  ::EndPaint(hwnd(), &ps);
}

LRESULT DiceWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the face covers the whole window
    case WM_TIMER:
      if (wp != kTimer1) break;
      owner_.Timer1_Timer();
      return 0;
    case WM_LBUTTONDOWN:
      pressed_ = true;
      ::SetCapture(hwnd());
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release over the picture.
      const bool click = pressed_;
      pressed_ = false;
      ::ReleaseCapture();
      RECT client;
      ::GetClientRect(hwnd(), &client);
      const POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      if (click && ::PtInRect(&client, at)) owner_.ImgDice_Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    default:
      break;
  }
  return DefaultProc(msg, wp, lp);
}

}  // namespace dicectl
