#pragma once
// A window's whole text.
#include <windows.h>

#include <string>

namespace win {

std::wstring WindowText(HWND hwnd);

}  // namespace win
