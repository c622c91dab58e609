#pragma once
// The control's window: ImgDice is painted in it, stretched over the whole
// client area, a click on it is ImgDice_Click, and Timer1 ticks in it. It
// lives as long as the control; while the control is not in-place active
// it is parked as a hidden message-only window, so a roll started then
// still runs.
#include <windows.h>

#include "common/base_window.h"
#include "dicectl/dice_interface.h"
#include "dicectl/face_picture.h"

namespace dicectl {

class DiceWindow : public win::BaseWindow<DiceWindow> {
 public:
  class Owner {
   public:
    virtual void ImgDice_Click() = 0;
    virtual void Timer1_Timer() = 0;

   protected:
    ~Owner() = default;
  };

  DiceWindow(Owner& owner, const FacePicture& imgDice) noexcept : owner_(owner), imgDice_(imgDice) {}
  DiceWindow(const DiceWindow&) = delete;
  DiceWindow& operator=(const DiceWindow&) = delete;
  ~DiceWindow();

  bool Create();
  // A visible child of the container's window at pos (pixels, parent client).
  void PlaceIn(HWND parent, const RECT& pos);
  void Park();
  void Move(const RECT& pos);
  void SetTimer1(bool enabled, unsigned intervalMs);
  void Repaint();

  static const wchar_t* ClassName() { return kDiceWindowClass; }
  static HINSTANCE ClassInstance();
  static UINT ClassStyle() { return CS_HREDRAW | CS_VREDRAW; }
  // Before the library is unloaded: the class would keep pointing at its code.
  static void UnregisterClass();

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // Timer1's id; a test may tick it by hand with WM_TIMER.
  static constexpr UINT_PTR kTimer1 = 1;

 private:
  void Paint();

  Owner& owner_;
  const FacePicture& imgDice_;
  bool pressed_ = false;
};

}  // namespace dicectl
