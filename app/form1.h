#pragma once
// The main window: the board, the text view over it, the one menu that is
// both popup and (at times) menu bar, and the board loop that is the
// program's main loop.
#include <windows.h>

#include <cstdint>
#include <string>

#include "app/board.h"
#include "app/frame_pacer.h"
#include "app/frmAbout.h"
#include "app/frmSaizi.h"
#include "app/frmsplash.h"
#include "app/frmsuom.h"
#include "app/frmtt.h"
#include "app/services.h"
#include "app/window_classes.h"
#include "app/window_slot.h"
#include "common/base_window.h"
#include "common/unique_handle.h"
#include "oracle/lot_view.h"
#include "printing/common_dialog.h"
#include "printing/print_rich_text.h"
#include "printing/rich_text_box.h"
#include "sprites/render_object.h"

namespace app {

class Form1 final : public win::BaseWindow<Form1>,
                    public oracle::LotView,
                    public printing::PrintHost,
                    public sprites::RenderObject {
 public:
  explicit Form1(Services& services);
  ~Form1() override;

  static const wchar_t* ClassName() { return window_classes::kForm1; }
  // CS_OWNDC: the board draws on the window's own DC, which needs no
  // release and goes with the window, even while the loop still uses it.
  static UINT ClassStyle() { return CS_OWNDC | CS_DBLCLKS; }

  bool Create();
  // Start-up; returns only when the board loop has stopped at shut-down.
  void Form_Load();
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

  // oracle::LotView: the text view is maintxt, the menu bar mnupopup.
  std::wstring AppPath() const override { return services_.appPath; }
  void SetTextVisible(bool visible) override;
  void SetText(std::wstring_view text) override;
  void SetMenuBarVisible(bool visible) override;

  // sprites::RenderObject: the client area in twips, the window's own DC.
  int ScaleWidth() const override;
  int ScaleHeight() const override;
  HDC hDC() const override { return ::GetDC(hwnd()); }

  // printing::PrintHost
  printing::CommonDialog& dlgCommonDialog1() override { return dlgCommonDialog1_; }

  HWND maintxt() const { return maintxt_; }
  printing::RichTextBox& txtother() { return txtother_; }
  HMENU mnupopup() const { return ::GetSubMenu(menuBar_.get(), 0); }
  bool MnupopupVisible() const { return hwnd() && ::GetMenu(hwnd()) == menuBar_.get(); }
  bool m_bShuffling() const { return m_bShuffling_; }
  frmtt* frmttWindow() const { return frmtt_.get(); }
  frmSaizi* frmSaiziWindow() const { return frmSaizi_.get(); }
  frmsuom* frmsuomWindow() const { return frmsuom_.get(); }
  frmAbout* frmAboutWindow() const { return frmAbout_.get(); }
  frmsplash* frmsplashWindow() const { return frmsplash_.get(); }
  const Board& board() const { return board_; }

  // Closes the window as any close request does: query, unload, destroy.
  void Unload();

 private:
  void CreateControls();
  void Form_Resize();
  void Form_MouseUp(POINT clientPoint);
  bool Form_ContextMenu(LPARAM at);
  void OpenMnupopup(POINT clientPoint);
  void Form_QueryUnload();
  void Form_Unload();
  void maintxt_DblClick();
  void maintxt_KeyDown(WPARAM keyCode, int shift);
  void mnuBEGin_Click();
  void fdfdfdf_Click();
  void MNUCeZi_Click();
  void MnuZhSAI_Click();
  void MnuSUO_Click();
  void mnUabout_Click();
  void ShowSplash();
  void MnuTuiCH_Click();
  bool OnCommand(int id);
  void ToggleShuffle();

  void Form_Paint();

  static LRESULT CALLBACK MaintxtProc(HWND h, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                      DWORD_PTR self);

  Services& services_;
  win::unique_hmenu menuBar_;
  win::unique_hfont maintxtFont_;
  HWND maintxt_ = nullptr;  // child windows: the main window destroys them
  printing::RichTextBox txtother_;
  printing::CommonDialog dlgCommonDialog1_;
  FramePacer pacer_;
  Board board_;
  WindowSlot<frmAbout> frmAbout_;
  WindowSlot<frmSaizi> frmSaizi_;
  WindowSlot<frmsplash> frmsplash_;
  WindowSlot<frmsuom> frmsuom_;
  WindowSlot<frmtt> frmtt_;

  bool bRunning_ = false;
  bool m_bShuffling_ = false;
};

}  // namespace app
