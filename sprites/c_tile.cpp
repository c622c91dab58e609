#include "sprites/c_tile.h"

#include <string>

#include "common/twips.h"

namespace sprites {
namespace {
constexpr long kNotInitialised = 1;
}

void cTile::FileName(const std::wstring& sFileName) {
  if (sFileName == fileName_) return;
  if (sFileName.empty()) {
    ResetTile();
    return;
  }
  if (!IsInitialised() || !bitmap_) return;
  if (bitmap_->CreateFromFile(sFileName)) fileName_ = sFileName;
}

void cTile::Picture(IPicture* oPic) {
  ResetTile();
  bitmap_ = std::make_unique<cBitmap>();
  bitmap_->CreateFromPicture(oPic);
}

bool cTile::IsInitialised() const {
  if (render_) return true;
  ReportError(kNotInitialised, L"Object not initialised");
  return false;
}

// For a debugger's eyes only; the user sees nothing.
void cTile::ReportError(long number, const wchar_t* text) {
  const std::wstring line = L"cTile error " + std::to_wstring(number) + L": " + text + L"\n";
  ::OutputDebugStringW(line.c_str());
}

void cTile::ResetTile() {
  bitmap_.reset();
  render_ = nullptr;
  fileName_.clear();
}

void cTile::TileObject() {
  if (!IsInitialised()) return;
  const win::TwipsPerPixel tpp = win::ScreenTwipsPerPixel();
  const long width = render_->ScaleWidth() / tpp.x;
  const long height = render_->ScaleHeight() / tpp.y;
  TileDC(render_->hDC(), width, height);
}

void cTile::TileDC(HDC lHDC, long lWidth, long lHeight) const {
  if (!bitmap_) return;
  const long w = bitmap_->Width();
  const long h = bitmap_->Height();
  // An empty picture would never step on.
  if (w <= 0 || h <= 0) return;
  for (long long y = 0; y <= lHeight; y += h)
    for (long long x = 0; x <= lWidth; x += w)
      bitmap_->RenderBitmap(lHDC, static_cast<long>(x), static_cast<long>(y), SRCCOPY);
}

}  // namespace sprites
