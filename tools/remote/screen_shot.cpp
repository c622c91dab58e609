#include "remote/screen_shot.h"

#include <windows.h>

#include "common/unique_handle.h"
#include "tools/bmp_file.h"

namespace remote {

bool SaveScreen(const std::filesystem::path& file) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  const win::unique_window_dc screen(nullptr);
  const win::unique_hdc copy(::CreateCompatibleDC(screen.get()));
  const win::unique_hbitmap picture(::CreateCompatibleBitmap(screen.get(), width, height));
  if (!copy || !picture) return false;
  {
    const auto selected = win::select(copy.get(), picture.get());
    ::BitBlt(copy.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<RGBQUAD> bits(static_cast<size_t>(width) * height);
  if (!::GetDIBits(copy.get(), picture.get(), 0, height, bits.data(), &info, DIB_RGB_COLORS)) return false;
  std::vector<tools::Pixel> pixels;
  pixels.reserve(bits.size());
  for (const RGBQUAD& q : bits) pixels.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue});
  return tools::WriteBmp(file, width, height, pixels);
}

}  // namespace remote
