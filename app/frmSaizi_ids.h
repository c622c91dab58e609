#pragma once
// Control IDs of the dice casting window. None is IDOK or IDCANCEL:
// neither button answers Enter or Escape.
#include <array>

namespace app::frmSaizi_ids {

enum ControlId : int {
  IDC_Frame1 = 301,
  IDC_txts1,
  IDC_Txts2,
  IDC_Txts3,
  IDC_Label1,
  IDC_Command2,
  IDC_Command1,
  IDC_Command3,
  IDC_Command4,
  IDC_Command5,
};

// One sum box and one cast button per cast, in order.
inline constexpr std::array kSumBoxIds = {IDC_txts1, IDC_Txts2, IDC_Txts3};
inline constexpr std::array kCastButtonIds = {IDC_Command3, IDC_Command4, IDC_Command5};

}  // namespace app::frmSaizi_ids
