#pragma once
// A cell sheet: one picture cut into equal cells, its transparency mask and
// a cell-sized work buffer; draws any cell with transparency. Shared by the
// sprites drawn from it (std::shared_ptr), freed with its last holder.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "sprites/m_gdi.h"

namespace sprites {

inline constexpr COLORREF kWhite = 0x00FFFFFF;

class cSpriteBitmaps {
 public:
  cSpriteBitmaps() = default;
  cSpriteBitmaps(const cSpriteBitmaps&) = delete;
  cSpriteBitmaps& operator=(const cSpriteBitmaps&) = delete;

  // Draws a cell with its transparent parts left out: through the work
  // buffer (one opaque copy to the target), or straight onto the target.
  // A cell number outside the sheet draws nothing.
  void TransparentDraw(HDC hDCDest, long lX, long lY, long lCell, bool bUseBuildDC = true) const;

  // False when the picture or mask cannot be had, when a cell count is 0
  // (after the sheet and mask are made, with no work buffer), or when the
  // work buffer cannot be made.
  bool CreateFromPicture(IPicture* oPic, long lXImageCount, long lYImageCount,
                         IPicture* oMaskPic = nullptr, COLORREF lTransColor = kWhite);
  bool CreateFromFile(const std::wstring& sSpriteBitmap, long lXImageCount, long lYImageCount,
                      const std::wstring& sMaskBitmap = {}, COLORREF lTransColor = kWhite);

  long CellWidth() const { return cellWidth_; }
  long CellHeight() const { return cellHeight_; }

  // The cell copied as it is, transparent parts white.
  void DirectBltSprite(HDC lHDC, long lX, long lY, long lCell) const;

 private:
  bool BuildMask(long lWidth, long lHeight, COLORREF lTransColor);
  void FreeBitmaps();
  bool FinishCreation(long lXImageCount, long lYImageCount);
  bool CellOrigin(long lCell, POINT& origin) const;

  BitmapDC sheet_;
  BitmapDC mask_;
  BitmapDC work_;
  long cellWidth_ = 0;
  long cellHeight_ = 0;
  long lXImageCount_ = 0;
  long lYImageCount_ = 0;
};

}  // namespace sprites
