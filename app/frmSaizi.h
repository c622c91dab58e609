#pragma once
// The dice casting: two dice cast three times, the three sums typed in,
// and the lot they make.
#include <windows.h>

#include <array>
#include <cstdint>

#include "app/dialog_window.h"
#include "app/ole_control_site.h"
#include "app/services.h"
#include "app/window_classes.h"
#include "common/com_ptr.h"
#include "common/unique_handle.h"
#include "oracle/lot_numbers.h"
#include "oracle/lot_view.h"

namespace app {

class frmSaizi final : public DialogWindow<frmSaizi> {
 public:
  // The main window shows lots and owns this window.
  frmSaizi(HWND owner, oracle::LotView& mainForm, Services& services);
  ~frmSaizi();

  static const wchar_t* ClassName() { return window_classes::kFrmSaizi; }
  static HICON ClassIcon();

  void Form_Load();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  HWND txts1() const { return boxes_[0]; }
  HWND Txts2() const { return boxes_[1]; }
  HWND Txts3() const { return boxes_[2]; }
  HWND Command1() const { return command1_; }
  HWND Command2() const { return command2_; }
  HWND Command3() const { return casts_[0]; }
  HWND Command4() const { return casts_[1]; }
  HWND Command5() const { return casts_[2]; }
  HWND Label1() const { return label1_; }
  // Null when the dice control could not be created.
  OleControlSite* Dice1() const { return dice1_.get(); }
  OleControlSite* Dice2() const { return dice2_.get(); }
  std::int16_t CastIndex() const { return CastIndex_; }

 private:
  static constexpr int kCasts = oracle::kDiceCasts;

  void CreateControls();
  void LoadDice();
  void Cast(std::int16_t castIndex);
  void Dice2_EndDice();
  void Txts_Change(HWND box);
  void Command1_Click();
  void Command2_Click();
  void Form_Unload();
  void Unload();

  HWND owner_;
  oracle::LotView& mainForm_;
  Services& services_;
  win::unique_hfont font_;
  // Child windows: this window destroys them.
  std::array<HWND, kCasts> boxes_{};
  std::array<HWND, kCasts> casts_{};
  HWND command1_ = nullptr;
  HWND command2_ = nullptr;
  HWND label1_ = nullptr;
  win::com_ptr<OleControlSite> dice1_;
  win::com_ptr<OleControlSite> dice2_;
  std::int16_t CastIndex_ = 0;
  bool cutting_ = false;  // the filter is shortening a box's text itself
};

}  // namespace app
