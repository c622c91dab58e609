#pragma once
// What the program's small non-modal windows share: created centred on the
// screen at a client size in twips, owned by the main window, Tab moving
// between their controls, the focus kept across activation, and the close
// box unloading them.
#include <windows.h>

#include <optional>

#include "app/controls.h"
#include "app/dialog_navigation.h"
#include "common/base_window.h"

namespace app {

template <class T>
class DialogWindow : public win::BaseWindow<T> {
 public:
  void ShowNonModal() { app::ShowNonModal(this->hwnd()); }

 protected:
  bool CreateCentred(HWND owner, const wchar_t* caption, DWORD style, int clientWidthTwips,
                     int clientHeightTwips) {
    const RECT r = CentredWindowRect(style, 0, clientWidthTwips, clientHeightTwips);
    if (!this->CreateWnd(0, caption, style, r.left, r.top, r.right - r.left, r.bottom - r.top, owner))
      return false;
    RegisterDialogWindow(this->hwnd());
    return true;
  }

  // The shared part of the window's messages; nothing for the others.
  std::optional<LRESULT> HandleDialogMessage(UINT msg, WPARAM wp) {
    switch (msg) {
      case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
          HWND f = ::GetFocus();
          if (f && ::IsChild(this->hwnd(), f)) focus_ = f;
        } else if (focus_ && ::IsWindow(focus_)) {
          ::SetFocus(focus_);
          return 0;
        }
        return std::nullopt;
      case WM_CLOSE:
        this->DestroyWnd();
        return 0;
      case WM_DESTROY:
        UnregisterDialogWindow(this->hwnd());
        return 0;
      default:
        return std::nullopt;
    }
  }

  // The control that has the focus when the window first comes forward.
  void SetFirstFocus(HWND control) { focus_ = control; }

 private:
  HWND focus_ = nullptr;
};

}  // namespace app
