#pragma once
// Control IDs of the property page's window, in tab order.
namespace dicectl::dice_property {

inline constexpr int IDC_Label1 = 101;
inline constexpr int IDC_Combo1 = 102;
inline constexpr int IDC_Label2 = 103;
inline constexpr int IDC_Option1 = 104;
inline constexpr int IDC_Option2 = 105;

}  // namespace dicectl::dice_property
