#pragma once
// Control and menu command IDs of the main window.
namespace app::form1 {

enum ControlId : int {
  IDC_maintxt = 101,
  IDC_txtother = 102,
};

enum MenuId : int {
  IDM_mnuBEGin = 1001,
  IDM_fdfdfdf,
  IDM_MNUCeZi,
  IDM_MnuZhSAI,
  IDM_MnuSUO,
  IDM_mnUabout,
  IDM_MnuTuiCH,
};

}  // namespace app::form1
