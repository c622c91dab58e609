#pragma once
// The splash window shown during start-up, above all other windows.
#include <windows.h>

#include "app/window_classes.h"
#include "common/base_window.h"
#include "common/unique_handle.h"

namespace app {

class frmsplash final : public win::BaseWindow<frmsplash> {
 public:
  explicit frmsplash(HWND owner) : owner_(owner) {}
  ~frmsplash() { DestroyWnd(); }

  static const wchar_t* ClassName() { return window_classes::kFrmsplash; }

  void Form_Load();
  void ShowNonModal();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  HWND owner_;
  win::unique_hfont titleFont_;
  win::unique_hfont textFont_;
};

}  // namespace app
