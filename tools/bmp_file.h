#pragma once
// Writing 24-bit BMP files, for the board's art and for test pictures.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace tools {

struct Pixel {
  std::uint8_t r, g, b;
};

// Rows top to bottom, each width pixels long; false when it cannot write.
bool WriteBmp(const std::filesystem::path& file, int width, int height,
              const std::vector<Pixel>& pixels);

}  // namespace tools
