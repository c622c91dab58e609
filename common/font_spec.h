#pragma once
// A font as a form designer sets it: face, size in points, weight, charset;
// made for whichever device it is drawn on.
#include <windows.h>

#include <string>

#include "unique_handle.h"

namespace win {

struct FontSpec {
  std::wstring face;
  int hundredthsOfPoint;  // 1050 for 10.5 pt, 2175 for 21.75 pt
  int weight = FW_NORMAL;
  BYTE charset = DEFAULT_CHARSET;
};

// The font at its size on a device with dpiY pixels per inch vertically.
unique_hfont CreateFontFor(const FontSpec& spec, int dpiY);

// The font at its size on the display.
unique_hfont CreateScreenFont(const FontSpec& spec);

}  // namespace win
