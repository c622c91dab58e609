#include "tools/bmp_file.h"

#include <fstream>

namespace tools {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kHeaderSize = kFileHeaderSize + kInfoHeaderSize;
constexpr int kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;

void Put16(std::vector<unsigned char>& out, size_t at, std::uint16_t v) {
  out[at] = static_cast<unsigned char>(v);
  out[at + 1] = static_cast<unsigned char>(v >> 8);
}

void Put32(std::vector<unsigned char>& out, size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

}  // namespace

bool WriteBmp(const std::filesystem::path& file, int width, int height,
              const std::vector<Pixel>& pixels) {
  if (width <= 0 || height <= 0 || pixels.size() != static_cast<size_t>(width) * height) return false;
  const auto rowBytes = static_cast<std::uint32_t>((width * kBytesPerPixel + 3) & ~3);
  const std::uint32_t dataSize = rowBytes * static_cast<std::uint32_t>(height);
  std::vector<unsigned char> out(kHeaderSize + dataSize, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(out.size()));
  Put32(out, 10, kHeaderSize);
  Put32(out, 14, kInfoHeaderSize);
  Put32(out, 18, static_cast<std::uint32_t>(width));
  Put32(out, 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  Put16(out, 26, 1);
  Put16(out, 28, kBitsPerPixel);
  Put32(out, 34, dataSize);
  for (int y = 0; y < height; ++y) {
    size_t at = kHeaderSize + static_cast<size_t>(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      const Pixel& p = pixels[static_cast<size_t>(y) * width + x];
      out[at++] = p.b;
      out[at++] = p.g;
      out[at++] = p.r;
    }
  }
  std::ofstream f(file, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

}  // namespace tools
