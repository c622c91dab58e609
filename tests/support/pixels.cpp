#include "support/pixels.h"

#include <olectl.h>

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

win::com_ptr<IPicture> MakePicture(int width, int height, const PixelFn& colour) {
  sprites::cBitmap painted;
  MakeTarget(painted, width, height, kBlack);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ::SetPixel(painted.hDC(), x, y, colour(x, y));
  // A bitmap of the picture's own, not selected into any DC.
  const win::unique_window_dc screen(nullptr);
  win::unique_hdc dc(::CreateCompatibleDC(screen.get()));
  HBITMAP bitmap = ::CreateCompatibleBitmap(screen.get(), width, height);
  {
    const auto keep = win::select(dc.get(), bitmap);
    ::BitBlt(dc.get(), 0, 0, width, height, painted.hDC(), 0, 0, SRCCOPY);
  }
  PICTDESC desc{};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_BITMAP;
  desc.bmp.hbitmap = bitmap;
  win::com_ptr<IPicture> picture;
  if (FAILED(::OleCreatePictureIndirect(&desc, __uuidof(IPicture), TRUE, picture.put_void())))
    ::DeleteObject(bitmap);
  return picture;
}

void MakeTarget(sprites::cBitmap& target, int width, int height, COLORREF fill) {
  target.CreateAtSize(width, height);
  const win::unique_hbrush brush(::CreateSolidBrush(fill));
  const RECT all{0, 0, width, height};
  ::FillRect(target.hDC(), &all, brush.get());
}

}  // namespace testing_support
