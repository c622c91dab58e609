#pragma once
// The font of the program's reading text boxes; small windows take
// win::kChineseUiFont.
#include "common/font_description.h"

namespace app {

inline const win::FontDescription kReadingFont{L"宋体", 1050, FW_NORMAL, GB2312_CHARSET};

}  // namespace app
