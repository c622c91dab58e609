#pragma once
// The About window: title, version, the project's addresses as links, and
// the notices.
#include <windows.h>

#include <string>

#include "app/dialog_window.h"
#include "app/services.h"
#include "app/window_classes.h"
#include "common/unique_handle.h"

namespace app {

class frmAbout final : public DialogWindow<frmAbout> {
 public:
  frmAbout(HWND owner, Services& services) : owner_(owner), services_(services) {}
  ~frmAbout() { DestroyWnd(); }

  static const wchar_t* ClassName() { return window_classes::kFrmAbout; }

  void Form_Load();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Hands the link to the system shell; every step that fails is passed
  // over, and only a result of 0 is reported.
  void ExecuteLink(const std::wstring& link);

  HWND lblVersion() const { return lblVersion_; }
  HWND lblMailTo() const { return lblMailTo_; }
  HWND lblLink() const { return lblLink_; }
  HWND lblDisclaimer() const { return lblDisclaimer_; }

 private:
  void lblLink_Click();
  void lblMailTo_Click();
  void PaintSeparator(HDC dc) const;
  bool IsLink(HWND control) const { return control == lblLink_ || control == lblMailTo_; }

  HWND owner_;
  Services& services_;
  win::unique_hfont font_;
  win::unique_hfont titleFont_;
  win::unique_hfont linkFont_;
  HWND lblVersion_ = nullptr;  // child windows: this window destroys them
  HWND lblMailTo_ = nullptr;
  HWND lblLink_ = nullptr;
  HWND lblDisclaimer_ = nullptr;
};

}  // namespace app
