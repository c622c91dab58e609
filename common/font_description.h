#pragma once
// A font as a form designer sets it: face, size in points, weight, charset;
// made for whichever device it is drawn on.
#include <windows.h>

#include <string>

#include "common/unique_handle.h"

namespace win {

struct FontDescription {
  std::wstring face;
  int hundredthsOfPoint;  // 1050 for 10.5 pt, 2175 for 21.75 pt
  int weight = FW_NORMAL;
  BYTE charset = DEFAULT_CHARSET;
};

// The font at its size on a device with dpiY pixels per inch vertically.
unique_hfont CreateFontFor(const FontDescription& font, int dpiY);

// The font at its size on the display.
unique_hfont CreateScreenFont(const FontDescription& font);

// The Chinese system face at 9 points: small windows' controls, the dice
// control's property page, the printed lot.
inline const FontDescription kChineseUiFont{L"宋体", 900, FW_NORMAL, GB2312_CHARSET};

}  // namespace win
