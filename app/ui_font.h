#pragma once
// The fonts of the program's windows. Small windows use the Chinese
// system UI face.
#include "font_spec.h"

namespace app {

inline const win::FontSpec kChineseUiFont{L"宋体", 900, FW_NORMAL, GB2312_CHARSET};

// The font of the program's reading text boxes.
inline const win::FontSpec kReadingFont{L"宋体", 1050, FW_NORMAL, GB2312_CHARSET};

}  // namespace app
