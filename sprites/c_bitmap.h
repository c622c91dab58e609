#pragma once
// An off-screen bitmap that can be drawn onto any device context.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "sprites/m_gdi.h"

namespace sprites {

class cBitmap {
 public:
  cBitmap() = default;
  cBitmap(const cBitmap&) = delete;
  cBitmap& operator=(const cBitmap&) = delete;

  // Each creation frees the previous bitmap first, even if it then fails;
  // on failure Width and Height keep their previous values.
  bool CreateAtSize(long lDX, long lDY);
  bool CreateFromFile(const std::wstring& sBitmapBitmap);
  bool CreateFromPicture(IPicture* picThis);

  long Width() const { return width_; }
  long Height() const { return height_; }
  // For drawing into the bitmap; the bitmap keeps owning it.
  HDC hDC() const { return bdc_.dc(); }

  void RenderBitmap(HDC lHDC, long lX, long lY, DWORD OpCode = SRCCOPY) const;

 private:
  void FreeBitmap() { mGDI::FreeBitmapDC(bdc_); }
  void TakeSizeFromBitmap();

  BitmapDC bdc_;
  long width_ = 0;
  long height_ = 0;
};

}  // namespace sprites
