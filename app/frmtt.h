#pragma once
// The character test: one to three typed characters, their stroke counts
// from the store's character table, and the lot their last digits make.
#include <windows.h>

#include <string>

#include "app/dialog_window.h"
#include "app/services.h"
#include "app/window_classes.h"
#include "common/unique_handle.h"
#include "oracle/lot_view.h"

namespace app {

class frmtt final : public DialogWindow<frmtt> {
 public:
  // The main window shows lots and owns this window.
  frmtt(HWND owner, oracle::LotView& mainForm, Services& services);
  ~frmtt();

  static const wchar_t* ClassName() { return window_classes::kFrmtt; }

  void Form_Load();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  HWND txtZi() const { return txtZi_; }
  HWND Command1() const { return command1_; }
  HWND Command2() const { return command2_; }

 private:
  void txtZi_Change();
  void Command1_Click();
  void Command2_Click();
  void Unload();

  HWND owner_;
  oracle::LotView& mainForm_;
  Services& services_;
  win::unique_hfont font_;
  HWND txtZi_ = nullptr;  // child windows: this window destroys them
  HWND command1_ = nullptr;
  HWND command2_ = nullptr;
};

}  // namespace app
