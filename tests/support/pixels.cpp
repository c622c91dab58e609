#include "support/pixels.h"

#include <vector>

#include "common/unique_handle.h"
#include "tools/bmp_file.h"

namespace testing_support {

bool WritePicture(const std::wstring& path, int width, int height, const PixelFn& colour) {
  std::vector<tools::Pixel> pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = colour(x, y);
      pixels.push_back({GetRValue(c), GetGValue(c), GetBValue(c)});
    }
  return tools::WriteBmp(path, width, height, pixels);
}

void MakeTarget(sprites::cBitmap& target, int width, int height, COLORREF fill) {
  target.CreateAtSize(width, height);
  const win::unique_hbrush brush(::CreateSolidBrush(fill));
  const RECT all{0, 0, width, height};
  ::FillRect(target.hDC(), &all, brush.get());
}

}  // namespace testing_support
