#pragma once
// The whole screen written to a BMP file, to see what a failed run left.
#include <filesystem>

namespace remote {

bool SaveScreen(const std::filesystem::path& file);

}  // namespace remote
