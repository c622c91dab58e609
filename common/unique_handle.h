#pragma once
// Move-only owners for Win32 handles, one alias per clean-up call, so the
// reader of a declaration knows what happens at the end of its scope.
#include <windows.h>

#include <utility>

namespace win {

template <class H, auto Close, H Invalid = H{}>
class unique_any {
 public:
  unique_any() = default;
  explicit unique_any(H h) noexcept : h_(h) {}
  unique_any(const unique_any&) = delete;
  unique_any& operator=(const unique_any&) = delete;
  unique_any(unique_any&& o) noexcept : h_(o.release()) {}
  unique_any& operator=(unique_any&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  ~unique_any() { reset(); }

  H get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Invalid; }
  H release() noexcept { return std::exchange(h_, Invalid); }
  void reset(H h = Invalid) noexcept {
    if (h_ != Invalid) Close(h_);
    h_ = h;
  }
  // Frees what is held before handing out the slot for an out parameter.
  H* put() noexcept {
    reset();
    return &h_;
  }

 private:
  H h_ = Invalid;
};

inline void delete_gdi_object(HGDIOBJ h) noexcept { ::DeleteObject(h); }

using unique_hdc = unique_any<HDC, &::DeleteDC>;                    // CreateCompatibleDC, CreateDC
using unique_hbitmap = unique_any<HBITMAP, &delete_gdi_object>;     // CreateCompatibleBitmap, LoadImage
using unique_hfont = unique_any<HFONT, &delete_gdi_object>;         // CreateFont
using unique_hbrush = unique_any<HBRUSH, &delete_gdi_object>;       // CreateSolidBrush
using unique_hpen = unique_any<HPEN, &delete_gdi_object>;           // CreatePen
using unique_hmenu = unique_any<HMENU, &::DestroyMenu>;             // CreateMenu
using unique_hwnd = unique_any<HWND, &::DestroyWindow>;             // CreateWindowEx
using unique_hmodule = unique_any<HMODULE, &::FreeLibrary>;         // LoadLibrary
using unique_hglobal = unique_any<HGLOBAL, &::GlobalFree>;          // GlobalAlloc
using unique_handle = unique_any<HANDLE, &::CloseHandle>;           // kernel objects
using unique_hhook = unique_any<HHOOK, &::UnhookWindowsHookEx>;     // SetWindowsHookEx
using unique_hicon = unique_any<HICON, &::DestroyIcon>;             // CreateIcon
using unique_hkey = unique_any<HKEY, &::RegCloseKey>;               // RegCreateKeyEx, RegOpenKeyEx

// A DC from GetDC belongs to its window and goes back with ReleaseDC.
class unique_window_dc {
 public:
  unique_window_dc() = default;
  explicit unique_window_dc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
  unique_window_dc(const unique_window_dc&) = delete;
  unique_window_dc& operator=(const unique_window_dc&) = delete;
  unique_window_dc(unique_window_dc&& o) noexcept
      : hwnd_(std::exchange(o.hwnd_, nullptr)), dc_(std::exchange(o.dc_, nullptr)) {}
  unique_window_dc& operator=(unique_window_dc&& o) noexcept {
    if (this != &o) {
      reset();
      hwnd_ = std::exchange(o.hwnd_, nullptr);
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  ~unique_window_dc() { reset(); }

  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }
  void reset() noexcept {
    if (dc_) ::ReleaseDC(hwnd_, dc_);
    dc_ = nullptr;
    hwnd_ = nullptr;
  }

 private:
  HWND hwnd_ = nullptr;
  HDC dc_ = nullptr;
};

// Selects an object into a DC and puts the displaced one back at scope end.
class select_guard {
 public:
  select_guard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
  select_guard(const select_guard&) = delete;
  select_guard& operator=(const select_guard&) = delete;
  ~select_guard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

[[nodiscard]] inline select_guard select(HDC dc, HGDIOBJ obj) noexcept { return {dc, obj}; }

}  // namespace win
