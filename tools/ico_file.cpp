#include "tools/ico_file.h"

#include <fstream>

namespace tools {
namespace {

constexpr std::uint32_t kDirectorySize = 6;
constexpr std::uint32_t kEntrySize = 16;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kBitsPerPixel = 4;
constexpr int kPixelsPerByte = 2;
constexpr int kMaskBitsPerByte = 8;
constexpr int kLargestSide = 256;

void Put(std::vector<unsigned char>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

std::uint32_t RowBytes(int bits) { return static_cast<std::uint32_t>(((bits + 31) / 32) * 4); }

}  // namespace

bool WriteIcon(const std::filesystem::path& file, int width, int height, const IconPalette& palette,
               const std::vector<std::uint8_t>& pixels) {
  if (width <= 0 || height <= 0 || width > kLargestSide || height > kLargestSide ||
      pixels.size() != static_cast<size_t>(width) * height)
    return false;
  const std::uint32_t colourRow = RowBytes(width * kBitsPerPixel);
  const std::uint32_t maskRow = RowBytes(width);
  const std::uint32_t imageSize =
      kInfoHeaderSize + kIconColours * 4 + (colourRow + maskRow) * static_cast<std::uint32_t>(height);

  std::vector<unsigned char> out;
  Put(out, 0, 2);
  Put(out, kIconType, 2);
  Put(out, 1, 2);  // one image
  // A side of 256 is written as 0.
  Put(out, static_cast<std::uint32_t>(width % kLargestSide), 1);
  Put(out, static_cast<std::uint32_t>(height % kLargestSide), 1);
  Put(out, kIconColours, 1);
  Put(out, 0, 1);
  Put(out, 1, 2);  // planes
  Put(out, kBitsPerPixel, 2);
  Put(out, imageSize, 4);
  Put(out, kDirectorySize + kEntrySize, 4);

  // The image is a bitmap twice as high: colours, then the mask.
  Put(out, kInfoHeaderSize, 4);
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(2 * height), 4);
  Put(out, 1, 2);
  Put(out, kBitsPerPixel, 2);
  Put(out, 0, 4);  // uncompressed
  Put(out, (colourRow + maskRow) * static_cast<std::uint32_t>(height), 4);
  for (int i = 0; i < 4; ++i) Put(out, 0, 4);  // resolution and colour counts
  for (const Pixel& p : palette) {
    out.push_back(p.b);
    out.push_back(p.g);
    out.push_back(p.r);
    out.push_back(0);
  }

  std::vector<unsigned char> colours(colourRow * height, 0), mask(maskRow * height, 0);
  for (int y = 0; y < height; ++y) {
    const size_t row = static_cast<size_t>(height - 1 - y);  // bottom-up
    for (int x = 0; x < width; ++x) {
      const std::uint8_t index = pixels[static_cast<size_t>(y) * width + x];
      if (index == kTransparent) {
        mask[row * maskRow + x / kMaskBitsPerByte] |= static_cast<unsigned char>(0x80 >> (x % kMaskBitsPerByte));
        continue;
      }
      if (index >= kIconColours) return false;
      const int shift = x % kPixelsPerByte == 0 ? kBitsPerPixel : 0;
      colours[row * colourRow + x / kPixelsPerByte] |= static_cast<unsigned char>(index << shift);
    }
  }
  out.insert(out.end(), colours.begin(), colours.end());
  out.insert(out.end(), mask.begin(), mask.end());

  std::ofstream f(file, std::ios::binary);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  return static_cast<bool>(f);
}

}  // namespace tools
