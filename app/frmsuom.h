#pragma once
// The instructions window: one text box that fills it.
#include <windows.h>


#include "app/dialog_window.h"
#include "app/window_classes.h"
#include "common/unique_handle.h"

namespace app {

class frmsuom final : public DialogWindow<frmsuom> {
 public:
  explicit frmsuom(HWND owner) : owner_(owner) {}
  ~frmsuom() { DestroyWnd(); }

  static const wchar_t* ClassName() { return window_classes::kFrmsuom; }

  void Form_Load();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  HWND txtsM() const { return txtsM_; }

 private:
  void Form_Resize();

  HWND owner_;
  win::unique_hfont font_;
  win::unique_hbrush background_;
  HWND txtsM_ = nullptr;  // child window: this window destroys it
};

}  // namespace app
