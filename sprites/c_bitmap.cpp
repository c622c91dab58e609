#include "sprites/c_bitmap.h"

namespace sprites {

bool cBitmap::CreateAtSize(long lDX, long lDY) {
  FreeBitmap();
  if (!mGDI::CreateBitmapDC(false, bdc_, lDX, lDY)) return false;
  width_ = lDX;
  height_ = lDY;
  return true;
}

bool cBitmap::CreateFromFile(const std::wstring& sBitmapBitmap) {
  FreeBitmap();
  if (!mGDI::LoadBitmapDC(false, sBitmapBitmap, bdc_)) return false;
  TakeSizeFromBitmap();
  return true;
}

bool cBitmap::CreateFromPicture(IPicture* picThis) {
  FreeBitmap();
  if (!mGDI::CopyPictureDC(false, picThis, bdc_)) return false;
  TakeSizeFromBitmap();
  return true;
}

void cBitmap::TakeSizeFromBitmap() {
  BITMAP info{};
  ::GetObjectW(bdc_.bitmap(), sizeof info, &info);
  width_ = info.bmWidth;
  height_ = info.bmHeight;
}

void cBitmap::RenderBitmap(HDC lHDC, long lX, long lY, DWORD OpCode) const {
  ::BitBlt(lHDC, lX, lY, width_, height_, bdc_.dc(), 0, 0, OpCode);
}

}  // namespace sprites
