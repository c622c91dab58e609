#pragma once
// Control IDs of the character test window. None is IDOK or IDCANCEL:
// neither button answers Enter or Escape.
namespace app::frmtt_ids {

enum ControlId : int {
  IDC_Frame1 = 201,
  IDC_txtZi,
  IDC_Command1,
  IDC_Command2,
};

}  // namespace app::frmtt_ids
