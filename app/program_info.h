#pragma once
// What the program says about itself: its display title, notices, and the
// project's own addresses.
#include <string_view>

#include "common/product.h"

namespace app {

inline constexpr std::wstring_view kDisplayTitle = L"" VESHA_PRODUCT_NAME;
inline constexpr std::wstring_view kSplashNotice =
    L"声明：这是个抽签测字游戏软件，供大家消遣用，请不要用于其它用途，否则后果自负。";
inline constexpr std::wstring_view kLegalNotice =
    L"①本软件受著作权法保护，未经许可，不得复制、修改或用于商业目的。";
inline constexpr std::wstring_view kGameOnlyNotice = L"②本软件仅作游戏用，用作其它用途后果自负。";
inline constexpr std::wstring_view kHomePage = L"" VESHA_HOME_PAGE;
inline constexpr std::wstring_view kMailAddress = L"vesha@example.org";

}  // namespace app
