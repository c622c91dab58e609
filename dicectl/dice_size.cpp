#include "dicectl/dice_size.h"

#include "common/twips.h"

namespace dicectl {

TwipsSize DiceSize::FromHimetric(const SIZEL& himetric) noexcept {
  return {win::HimetricToTwips(himetric.cx), win::HimetricToTwips(himetric.cy)};
}

TwipsSize DiceSize::FromPixels(const SIZE& pixels) noexcept {
  return {win::PixelsToTwipsX(pixels.cx), win::PixelsToTwipsY(pixels.cy)};
}

SIZEL DiceSize::Himetric() const noexcept {
  return {win::TwipsToHimetric(size_.width), win::TwipsToHimetric(size_.height)};
}

SIZE DiceSize::Pixels() const noexcept { return {win::TwipsToPixelsX(size_.width), win::TwipsToPixelsY(size_.height)}; }

RECT DiceSize::PixelRectAt(LONG left, LONG top) const noexcept {
  const SIZE size = Pixels();
  return {left, top, left + size.cx, top + size.cy};
}

bool DiceSize::Shows(const SIZE& pixels) const noexcept {
  const SIZE now = Pixels();
  return pixels.cx == now.cx && pixels.cy == now.cy;
}

bool DiceSize::SetResizeable(bool resizeable) noexcept {
  resizeable_ = resizeable;
  return !resizeable && Become({kDesignSizeTwips, kDesignSizeTwips});
}

bool DiceSize::Offer(TwipsSize offered) noexcept {
  return Become(resizeable_ ? TwipsSize{offered.height, offered.height}
                            : TwipsSize{kDesignSizeTwips, kDesignSizeTwips});
}

bool DiceSize::Become(TwipsSize size) noexcept {
  const bool changed = size != size_;
  size_ = size;
  return changed;
}

}  // namespace dicectl
