#include "sprites/c_sprite.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace sprites {
namespace {

bool Add(long& value, long step) {
  const long long sum = static_cast<long long>(value) + step;
  if (sum < std::numeric_limits<long>::min() || sum > std::numeric_limits<long>::max()) return false;
  value = static_cast<long>(sum);
  return true;
}

}  // namespace

// So the first frame copies its "previous" place from outside the stage.
cSprite::cSprite(SIZE screen)
    : drawnX_(-screen.cx), drawnY_(-screen.cy), previousX_(drawnX_), previousY_(drawnY_) {}

bool cSprite::IncrementPosition() { return Add(x_, xDir_) && Add(y_, yDir_); }

bool cSprite::BltInTwo() const {
  const long long dx = std::llabs(static_cast<long long>(previousX_) - drawnX_);
  const long long dy = std::llabs(static_cast<long long>(previousY_) - drawnY_);
  return dx + dy > kMaxOneRectMove;
}

void cSprite::StageToScreen(HDC lHDC, HDC lStageHDC) const {
  if (BltInTwo()) {
    ::BitBlt(lHDC, previousX_, previousY_, width_, height_, lStageHDC, previousX_, previousY_, SRCCOPY);
    ::BitBlt(lHDC, drawnX_, drawnY_, width_, height_, lStageHDC, drawnX_, drawnY_, SRCCOPY);
    return;
  }
  const long left = std::min(drawnX_, previousX_);
  const long top = std::min(drawnY_, previousY_);
  const long w = width_ + std::labs(drawnX_ - previousX_);
  const long h = height_ + std::labs(drawnY_ - previousY_);
  ::BitBlt(lHDC, left, top, w, h, lStageHDC, left, top, SRCCOPY);
}

void cSprite::StoreBackground(HDC hDC, long lX, long lY) {
  ::BitBlt(background_.dc(), 0, 0, width_, height_, hDC, lX, lY, SRCCOPY);
  backgroundStored_ = true;
}

void cSprite::TransparentDraw(HDC hDC, long lX, long lY, long lCell, bool bUseBuildDC) {
  previousX_ = drawnX_;
  previousY_ = drawnY_;
  drawnX_ = lX;
  drawnY_ = lY;
  cell_ = lCell;
  if (sheet_) sheet_->TransparentDraw(hDC, lX, lY, lCell, bUseBuildDC);
}

void cSprite::Create(HDC) {
  FreeBackground();
  if (!sheet_) return;
  width_ = sheet_->CellWidth();
  height_ = sheet_->CellHeight();
  mGDI::CreateBitmapDC(false, background_, width_, height_);
}

void cSprite::RestoreBackground(HDC hDC) const {
  if (!backgroundStored_) return;
  ::BitBlt(hDC, drawnX_, drawnY_, width_, height_, background_.dc(), 0, 0, SRCCOPY);
}

void cSprite::SpriteData(std::shared_ptr<cSpriteBitmaps> cSpriteData) {
  sheet_ = std::move(cSpriteData);
  width_ = sheet_ ? sheet_->CellWidth() : 0;
  height_ = sheet_ ? sheet_->CellHeight() : 0;
}

void cSprite::FreeBackground() {
  mGDI::FreeBitmapDC(background_);
  backgroundStored_ = false;
}

}  // namespace sprites
