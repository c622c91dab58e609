#pragma once
// One moving picture on an off-screen stage: draws a cell of a shared
// sheet with transparency, saves and restores the stage under itself, and
// copies only what changed to the window.
#include <windows.h>

#include <memory>

#include "sprites/c_sprite_bitmaps.h"
#include "sprites/m_gdi.h"

namespace sprites {

// A move larger than this in total (x plus y) is copied as two rectangles.
inline constexpr long kMaxOneRectMove = 24;

class cSprite {
 public:
  // The screen's size in pixels: a sprite not yet drawn was last "drawn"
  // a whole screen off to the upper left.
  explicit cSprite(SIZE screen);
  cSprite(const cSprite&) = delete;
  cSprite& operator=(const cSprite&) = delete;

  long XDir() const { return xDir_; }
  void XDir(long lXDir) { xDir_ = lXDir; }
  long YDir() const { return yDir_; }
  void YDir(long lYDir) { yDir_ = lYDir; }
  // X += XDir, Y += YDir; false (that coordinate unchanged) on overflow.
  bool IncrementPosition();
  bool Active() const { return active_; }
  void Active(bool bActive) { active_ = bActive; }
  long X() const { return x_; }
  void X(long lX) { x_ = lX; }
  long Y() const { return y_; }
  void Y(long lY) { y_ = lY; }

  void StageToScreen(HDC lHDC, HDC lStageHDC) const;

  long Cell() const { return cell_; }
  void Cell(long iCell) { cell_ = iCell; }
  long PreviousX() const { return previousX_; }
  long PreviousY() const { return previousY_; }
  bool BltInTwo() const;
  long Width() const { return width_; }
  long Height() const { return height_; }

  void StoreBackground(HDC hDC, long lX, long lY);
  void TransparentDraw(HDC hDC, long lX, long lY, long lCell, bool bUseBuildDC);
  // Makes the background buffer anew, the size of a cell (the DC given is
  // not consulted: the buffer is compatible with the screen).
  void Create(HDC hDC);
  void RestoreBackground(HDC hDC) const;
  void SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData);

  long DrawnX() const { return drawnX_; }
  long DrawnY() const { return drawnY_; }

 private:
  void FreeBackground();

  BitmapDC background_;
  std::shared_ptr<cSpriteBitmaps> sheet_;
  long cell_ = 0;
  long x_ = 0;
  long y_ = 0;
  long drawnX_;
  long drawnY_;
  long previousX_;
  long previousY_;
  long width_ = 0;
  long height_ = 0;
  bool backgroundStored_ = false;
  bool active_ = false;
  long xDir_ = 0;
  long yDir_ = 0;
};

}  // namespace sprites
