#include "dicectl/dice_property_window.h"

#include <array>

#include "common/font_description.h"
#include "common/twips.h"
#include "dicectl/dice_property_ids.h"
#include "dicectl/module.h"

namespace dicectl {
namespace {

using namespace dice_property;

constexpr int kPageWidthTwips = 4275;
constexpr int kPageHeightTwips = 2310;
// A drop-down combo box is given the height of its open list.
constexpr int kComboListHeightTwips = 2400;

// Entry n stands for the DiceSixNumber value n.
constexpr std::array<const wchar_t*, 7> kFaceEntries = {
    L"0 - NoHalfChance", L"1 - Dice1", L"2 - Dice2", L"3 - Dice3", L"4 - Dice4", L"5 - Dice5", L"6 - Dice6",
};

struct ControlLayout {
  int id;
  const wchar_t* className;
  const wchar_t* caption;
  DWORD style;
  int left, top, width, height;  // twips
};

const ControlLayout kControls[] = {
    {IDC_Label1, L"STATIC", L"选择你最喜欢的点数!", SS_LEFT, 360, 480, 1815, 255},
    {IDC_Combo1, L"COMBOBOX", L"", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 1080, 840, 2175, kComboListHeightTwips},
    {IDC_Label2, L"STATIC", L"是否允许可变大小？", SS_LEFT, 360, 1440, 1935, 255},
    {IDC_Option1, L"BUTTON", L"大小可变", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 360, 1800, 1455, 255},
    {IDC_Option2, L"BUTTON", L"大小不可变", BS_AUTORADIOBUTTON, 1920, 1800, 1455, 255},
};

}  // namespace

DicePropertyWindow::~DicePropertyWindow() { DestroyWnd(); }

HINSTANCE DicePropertyWindow::ClassInstance() { return Module::Instance(); }

void DicePropertyWindow::UnregisterClass() { ::UnregisterClassW(ClassName(), Module::Instance()); }

SIZE DicePropertyWindow::PageSize() {
  return {win::TwipsToPixelsX(kPageWidthTwips), win::TwipsToPixelsY(kPageHeightTwips)};
}

bool DicePropertyWindow::Create(HWND parent, const RECT& pos) {
  if (!CreateWnd(WS_EX_CONTROLPARENT, L"", WS_CHILD | WS_CLIPCHILDREN, pos.left, pos.top, pos.right - pos.left,
                 pos.bottom - pos.top, parent))
    return false;
  CreateControls();
  return true;
}

void DicePropertyWindow::CreateControls() {
  font_ = win::CreateScreenFont(win::kChineseUiFont);
  for (const ControlLayout& c : kControls) {
    const RECT r = win::TwipsRect(c.left, c.top, c.width, c.height);
    HWND child = ::CreateWindowExW(0, c.className, c.caption, WS_CHILD | WS_VISIBLE | c.style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), Module::Instance(), nullptr);
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }
  // PropertyPage_Initialize.
  for (const wchar_t* entry : kFaceEntries)
    ::SendMessageW(Child(IDC_Combo1), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

void DicePropertyWindow::ShowValues(int listIndex, bool option1) {
  ::SendMessageW(Child(IDC_Combo1), CB_SETCURSEL, static_cast<WPARAM>(listIndex), 0);
  ::CheckRadioButton(hwnd(), IDC_Option1, IDC_Option2, option1 ? IDC_Option1 : IDC_Option2);
}

LRESULT DicePropertyWindow::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // The children are gone by now; the font they used goes after them.
  if (msg == WM_NCDESTROY) {
    font_.reset();
    return DefaultProc(msg, wp, lp);
  }
  if (msg != WM_COMMAND) return DefaultProc(msg, wp, lp);
  const int id = LOWORD(wp);
  const int code = HIWORD(wp);
  if (id == IDC_Combo1 && code == CBN_SELCHANGE)
    owner_.Combo1_Click(static_cast<int>(::SendMessageW(Child(IDC_Combo1), CB_GETCURSEL, 0, 0)));
  else if (id == IDC_Combo1 && code == CBN_EDITCHANGE)
    owner_.Combo1_Change();
  else if (id == IDC_Option1 && code == BN_CLICKED)
    owner_.Option1_Click();
  else if (id == IDC_Option2 && code == BN_CLICKED)
    owner_.Option2_Click();
  return 0;
}

}  // namespace dicectl
