#pragma once
// One class per window: T supplies ClassName(), optionally ClassStyle(), and
// HandleMessage(); `this` is stored at WM_NCCREATE and the handle is owned.
#include <windows.h>

#include "common/unique_handle.h"

namespace win {

template <class T>
class BaseWindow {
 public:
  HWND hwnd() const noexcept { return hwnd_.get(); }
  explicit operator bool() const noexcept { return static_cast<bool>(hwnd_); }

 protected:
  BaseWindow() = default;
  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;
  ~BaseWindow() {
    // T destroys its window in its own destructor, while its members live;
    // here, as a last resort, messages no longer reach T.
    if (HWND h = hwnd_.get()) ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
  }

  static UINT ClassStyle() { return 0; }
  static HICON ClassIcon() { return nullptr; }
  // The module the class is registered for; a DLL names its own, so that
  // it can unregister the class before it is unloaded.
  static HINSTANCE ClassInstance() { return ::GetModuleHandleW(nullptr); }

  bool CreateWnd(DWORD exStyle, const wchar_t* title, DWORD style, int x, int y, int w, int h,
                 HWND parent = nullptr, HMENU menu = nullptr) {
    HINSTANCE inst = T::ClassInstance();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!::GetClassInfoExW(inst, T::ClassName(), &wc)) {
      wc = {};
      wc.cbSize = sizeof wc;
      wc.style = T::ClassStyle();
      wc.lpfnWndProc = &BaseWindow::WindowProc;
      wc.hInstance = inst;
      wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      wc.hIcon = T::ClassIcon();
      wc.lpszClassName = T::ClassName();
      if (!::RegisterClassExW(&wc)) return false;
    }
    return ::CreateWindowExW(exStyle, T::ClassName(), title, style, x, y, w, h, parent, menu, inst,
                             this) != nullptr;
  }

  // Destroys the window now; WM_DESTROY and WM_NCDESTROY still reach T.
  void DestroyWnd() noexcept { hwnd_.reset(); }

  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return ::DefWindowProcW(hwnd(), msg, wp, lp);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    BaseWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
      self = static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
      ::SetWindowLongPtrW(h, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      self->hwnd_ = unique_hwnd(h);
    } else {
      self = reinterpret_cast<BaseWindow*>(::GetWindowLongPtrW(h, GWLP_USERDATA));
    }
    if (!self) return ::DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      // The window is gone: forget the handle without destroying it again.
      ::SetWindowLongPtrW(h, GWLP_USERDATA, 0);
      const LRESULT r = static_cast<T*>(self)->HandleMessage(msg, wp, lp);
      self->hwnd_.release();
      return r;
    }
    return static_cast<T*>(self)->HandleMessage(msg, wp, lp);
  }

  unique_hwnd hwnd_;
};

}  // namespace win
