#pragma once
// The strings of a program file's version resource (Chinese, Unicode block).
#include <filesystem>
#include <string>

namespace testing_support {

// "<missing>" when the file or the string is not there.
std::wstring VersionString(const std::filesystem::path& file, const std::wstring& name);

}  // namespace testing_support
