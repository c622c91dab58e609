#include "sprites/c_sprite_bitmaps.h"

namespace sprites {
namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  ::GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

}  // namespace

void cSpriteBitmaps::FreeBitmaps() {
  mGDI::FreeBitmapDC(sheet_);
  mGDI::FreeBitmapDC(mask_);
  mGDI::FreeBitmapDC(work_);
}

bool cSpriteBitmaps::CreateFromFile(const std::wstring& sSpriteBitmap, long lXImageCount,
                                    long lYImageCount, const std::wstring& sMaskBitmap,
                                    COLORREF lTransColor) {
  FreeBitmaps();
  if (!mGDI::LoadBitmapDC(false, sSpriteBitmap, sheet_)) return false;
  const SIZE size = BitmapSize(sheet_.bitmap());
  const bool masked = sMaskBitmap.empty() ? BuildMask(size.cx, size.cy, lTransColor)
                                          : mGDI::LoadBitmapDC(true, sMaskBitmap, mask_);
  if (!masked) return false;
  return FinishCreation(lXImageCount, lYImageCount);
}

bool cSpriteBitmaps::CreateFromPicture(IPicture* oPic, long lXImageCount, long lYImageCount,
                                       IPicture* oMaskPic, COLORREF lTransColor) {
  FreeBitmaps();
  if (!mGDI::CopyPictureDC(false, oPic, sheet_)) return false;
  const SIZE size = BitmapSize(sheet_.bitmap());
  const bool masked = oMaskPic ? mGDI::CopyPictureDC(true, oMaskPic, mask_)
                               : BuildMask(size.cx, size.cy, lTransColor);
  if (!masked) return false;
  return FinishCreation(lXImageCount, lYImageCount);
}

bool cSpriteBitmaps::FinishCreation(long lXImageCount, long lYImageCount) {
  lXImageCount_ = lXImageCount;
  lYImageCount_ = lYImageCount;
  // A sheet of no cells has no cell size: creation stops here, reported.
  if (lXImageCount <= 0 || lYImageCount <= 0) return false;
  const SIZE size = BitmapSize(sheet_.bitmap());
  cellWidth_ = size.cx / lXImageCount;
  cellHeight_ = size.cy / lYImageCount;
  return mGDI::CreateBitmapDC(false, work_, cellWidth_, cellHeight_);
}

bool cSpriteBitmaps::BuildMask(long lWidth, long lHeight, COLORREF lTransColor) {
  if (!mGDI::CreateBitmapDC(true, mask_, lWidth, lHeight)) return false;
  if (lTransColor == kWhite) {
    // Colour to monochrome: pixels equal to the sheet DC's background
    // colour (white) become 1, so the inverted copy leaves them black.
    ::BitBlt(mask_.dc(), 0, 0, lWidth, lHeight, nullptr, 0, 0, WHITENESS);
    ::BitBlt(mask_.dc(), 0, 0, lWidth, lHeight, sheet_.dc(), 0, 0, SRCINVERT);
    return true;
  }
  // 1 where the sheet has the transparent colour.
  BitmapDC transparent;
  if (!mGDI::CreateBitmapDC(true, transparent, lWidth, lHeight)) return false;
  const COLORREF previous = ::SetBkColor(sheet_.dc(), lTransColor);
  ::BitBlt(transparent.dc(), 0, 0, lWidth, lHeight, sheet_.dc(), 0, 0, SRCCOPY);
  ::SetBkColor(sheet_.dc(), previous);
  // Monochrome to colour: 1 bits arrive as the sheet's background colour
  // (white), 0 bits as its text colour (black): transparent pixels whiten.
  ::BitBlt(sheet_.dc(), 0, 0, lWidth, lHeight, transparent.dc(), 0, 0, SRCPAINT);
  ::BitBlt(mask_.dc(), 0, 0, lWidth, lHeight, nullptr, 0, 0, WHITENESS);
  ::BitBlt(mask_.dc(), 0, 0, lWidth, lHeight, transparent.dc(), 0, 0, SRCINVERT);
  return true;
}

// Cells are numbered from 1, row by row from the top left.
bool cSpriteBitmaps::CellOrigin(long lCell, POINT& origin) const {
  if (lXImageCount_ <= 0 || lYImageCount_ <= 0) return false;
  if (lCell < 1 || lCell > lXImageCount_ * lYImageCount_) return false;
  const long index = lCell - 1;
  origin = {(index % lXImageCount_) * cellWidth_, (index / lXImageCount_) * cellHeight_};
  return true;
}

void cSpriteBitmaps::TransparentDraw(HDC hDCDest, long lX, long lY, long lCell,
                                     bool bUseBuildDC) const {
  POINT s{};
  if (!CellOrigin(lCell, s)) return;
  const long w = cellWidth_, h = cellHeight_;
  if (bUseBuildDC) {
    ::BitBlt(work_.dc(), 0, 0, w, h, hDCDest, lX, lY, SRCCOPY);
    ::BitBlt(work_.dc(), 0, 0, w, h, mask_.dc(), s.x, s.y, SRCPAINT);
    ::BitBlt(work_.dc(), 0, 0, w, h, sheet_.dc(), s.x, s.y, SRCAND);
    ::BitBlt(hDCDest, lX, lY, w, h, work_.dc(), 0, 0, SRCCOPY);
  } else {
    ::BitBlt(hDCDest, lX, lY, w, h, mask_.dc(), s.x, s.y, SRCPAINT);
    ::BitBlt(hDCDest, lX, lY, w, h, sheet_.dc(), s.x, s.y, SRCAND);
  }
}

void cSpriteBitmaps::DirectBltSprite(HDC lHDC, long lX, long lY, long lCell) const {
  POINT s{};
  if (!CellOrigin(lCell, s)) return;
  ::BitBlt(lHDC, lX, lY, cellWidth_, cellHeight_, sheet_.dc(), s.x, s.y, SRCCOPY);
}

}  // namespace sprites
