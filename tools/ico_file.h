#pragma once
// Writing 16-colour icon files of one image, for the program's windows.
#include <array>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "tools/bmp_file.h"

namespace tools {

inline constexpr int kIconColours = 16;
// A pixel that shows whatever lies behind the icon.
inline constexpr std::uint8_t kTransparent = 0xFF;

using IconPalette = std::array<Pixel, kIconColours>;

// Rows top to bottom of palette indices or kTransparent; false when the
// picture does not fit its size or the file cannot be written.
bool WriteIcon(const std::filesystem::path& file, int width, int height, const IconPalette& palette,
               const std::vector<std::uint8_t>& pixels);

}  // namespace tools
