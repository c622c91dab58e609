#pragma once
// The font of the program's small windows: the Chinese system UI face.
#include "font_spec.h"

namespace app {

inline const win::FontSpec kChineseUiFont{L"宋体", 90, FW_NORMAL, GB2312_CHARSET};

}  // namespace app
