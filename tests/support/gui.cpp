#include "support/gui.h"

#include <vector>

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

namespace {

// Wine answers GetGuiResources with 0. There the GDI objects in use are
// found from the handles still free: regions are made until the process's
// table is full, then freed again.
constexpr DWORD kGdiTableProbe = 65536;

DWORD GdiObjectsInUse() {
  std::vector<win::unique_any<HRGN, &win::delete_gdi_object>> probe;
  probe.reserve(kGdiTableProbe);
  while (probe.size() < kGdiTableProbe) {
    HRGN region = ::CreateRectRgn(0, 0, 1, 1);
    if (!region) break;
    probe.emplace_back(region);
  }
  return kGdiTableProbe - static_cast<DWORD>(probe.size());
}

// And the USER objects that matter here, windows, are counted one by one:
// this process's top-level and message-only windows and their children.
BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

void CountTree(HWND hwnd, DWORD& count) {
  ++count;
  ::EnumChildWindows(hwnd, &CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountOwnTopLevel(HWND hwnd, LPARAM count) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process == ::GetCurrentProcessId()) CountTree(hwnd, *reinterpret_cast<DWORD*>(count));
  return TRUE;
}

DWORD WindowsInUse() {
  DWORD count = 0;
  ::EnumWindows(&CountOwnTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND hwnd = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd;
       hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr)) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process == ::GetCurrentProcessId()) CountTree(hwnd, count);
  }
  return count;
}

}  // namespace

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
  HANDLE self = ::GetCurrentProcess();
  const DWORD gdi = ::GetGuiResources(self, GR_GDIOBJECTS);
  const DWORD user = ::GetGuiResources(self, GR_USEROBJECTS);
  return {gdi ? gdi : GdiObjectsInUse(), user ? user : WindowsInUse()};
}

void SetKeyHeld(int virtualKey, bool held) {
  BYTE keys[256];
  ::GetKeyboardState(keys);
  keys[virtualKey] = held ? 0x80 : 0;
  ::SetKeyboardState(keys);
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

// The menu loop tells the owner when it opens a popup and when it idles;
// at the first idle the popup is up and can be closed again.
LRESULT CALLBACK PopupWatcher::Hook(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && g_watcher) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (m->message == WM_INITMENUPOPUP) g_watcher->opened_.push_back(reinterpret_cast<HMENU>(m->wParam));
    if (m->message == WM_ENTERIDLE && m->wParam == MSGF_MENU) ::EndMenu();
  }
  return ::CallNextHookEx(nullptr, code, wp, lp);
}

}  // namespace testing_support
