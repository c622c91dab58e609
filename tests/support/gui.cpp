#include "support/gui.h"

#include "remote/process_usage.h"

namespace testing_support {
namespace {
PopupWatcher* g_watcher = nullptr;
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  do {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (::GetTickCount() - start < milliseconds);
}

// Other test programs run beside this one on the same desktop.
int CountWindows(const wchar_t* className) {
  int count = 0;
  for (HWND w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w;
       w = ::FindWindowExW(nullptr, w, className, nullptr)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(w, &process);
    if (process == ::GetCurrentProcessId()) ++count;
  }
  return count;
}

GuiObjects GuiObjects::Now() {
  const remote::Usage usage = remote::UsageOf(::GetCurrentProcess(), ::GetCurrentProcessId());
  return {usage.gdiObjects, usage.userObjects};
}

PopupWatcher::PopupWatcher() {
  g_watcher = this;
  hook_.reset(::SetWindowsHookExW(WH_CALLWNDPROC, &PopupWatcher::Hook, nullptr, ::GetCurrentThreadId()));
}

int PopupWatcher::Count(HMENU menu) const {
  int n = 0;
  for (HMENU m : opened_) n += m == menu;
  return n;
}

PopupWatcher::~PopupWatcher() {
  hook_.reset();
  g_watcher = nullptr;
}

// The menu loop tells the owner when it opens a popup and when it idles,
// naming the popup's window; at the first idle the popup is up and can be
// closed again.
LRESULT CALLBACK PopupWatcher::Hook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && g_watcher) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (m->message == WM_INITMENUPOPUP) g_watcher->opened_.push_back(reinterpret_cast<HMENU>(m->wParam));
    if (m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU) {
      RECT popup{};
      ::GetWindowRect(reinterpret_cast<HWND>(m->lParam), &popup);
      g_watcher->lastPlace_ = {popup.left, popup.top};
      ::EndMenu();
    }
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace testing_support
