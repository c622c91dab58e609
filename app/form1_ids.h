#pragma once
// Control and menu command IDs of the main window, and its one menu as it
// is shown: the program builds the menu from this table, and the tools
// that drive a running program count their way down it.
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

struct MenuItem {
  int id;  // 0 for a separator
  const wchar_t* caption;
};

inline constexpr MenuItem kMnupopupItems[] = {
    {IDM_mnuBEGin, L"开始洗签"}, {IDM_fdfdfdf, L"抽一支签"}, {0, nullptr},
    {IDM_MNUCeZi, L"测    字"},  {IDM_MnuZhSAI, L"掷    骰"}, {0, nullptr},
    {IDM_MnuSUO, L"说    明"},   {IDM_mnUabout, L"关    于"}, {0, nullptr},
    {IDM_MnuTuiCH, L"退    出"},
};
inline constexpr const wchar_t* kMnupopupCaption = L"文件";

// How many commands come before this one in the menu, separators left out:
// the Down presses from the first item, as the keyboard moves. -1 for an ID
// the menu lacks.
constexpr int MenuPosition(MenuId id) {
  int position = 0;
  for (const MenuItem& item : kMnupopupItems) {
    if (item.id == id) return position;
    if (item.id != 0) ++position;
  }
  return -1;
}

}  // namespace app::form1
