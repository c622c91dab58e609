#pragma once
// The program directory, found through the program's own path.
#include <string>

namespace win {

// The directory of the running executable, without a trailing backslash,
// so that a file name beginning with a backslash can be appended.
std::wstring AppPath();

}  // namespace win
