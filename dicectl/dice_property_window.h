#pragma once
// The window of the property page "通用": the favourite-face list and the
// two option buttons for resizing, laid out in twips as the page was drawn.
#include <windows.h>

#include "common/base_window.h"
#include "common/unique_handle.h"

namespace dicectl {

class DicePropertyWindow : public win::BaseWindow<DicePropertyWindow> {
 public:
  class Owner {
   public:
    virtual void Combo1_Click(int listIndex) = 0;
    // The text was typed over: no entry is chosen any more.
    virtual void Combo1_Change() = 0;
    virtual void Option1_Click() = 0;
    virtual void Option2_Click() = 0;

   protected:
    ~Owner() = default;
  };

  explicit DicePropertyWindow(Owner& owner) noexcept : owner_(owner) {}
  DicePropertyWindow(const DicePropertyWindow&) = delete;
  DicePropertyWindow& operator=(const DicePropertyWindow&) = delete;
  ~DicePropertyWindow();

  bool Create(HWND parent, const RECT& pos);
  void Destroy() noexcept { DestroyWnd(); }
  // Shows the values without raising the click handlers.
  void ShowValues(int listIndex, bool option1);

  // The page's size, in pixels on the display.
  static SIZE PageSize();

  static const wchar_t* ClassName() { return L"TumbixDiceProperty"; }
  static HINSTANCE ClassInstance();
  static void UnregisterClass();

  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

 private:
  void CreateControls();
  HWND Child(int id) const { return ::GetDlgItem(hwnd(), id); }

  Owner& owner_;
  win::unique_hfont font_;
};

}  // namespace dicectl
