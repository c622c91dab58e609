#pragma once
// The control's size and the one rule it keeps: while resizeable it is a
// square on the height it is offered, else its design size. The size is
// held in twips; containers offer it in HIMETRIC and place it in pixels.
#include <windows.h>

#include "dicectl/dice_interface.h"

namespace dicectl {

// The design size, and the fixed size when not resizeable.
inline constexpr int kDesignSizeTwips = 600;

struct TwipsSize {
  int width;
  int height;
  bool operator==(const TwipsSize&) const = default;
};

class DiceSize {
 public:
  static TwipsSize FromHimetric(const SIZEL& himetric) noexcept;
  static TwipsSize FromPixels(const SIZE& pixels) noexcept;

  TwipsSize Twips() const noexcept { return size_; }
  SIZEL Himetric() const noexcept;
  SIZE Pixels() const noexcept;
  // The control's rectangle with its top left corner at the given pixel.
  RECT PixelRectAt(LONG left, LONG top) const noexcept;
  // A pixel size that shows this size is no request for another: going
  // back and forth between pixels and twips must not wear the control down.
  bool Shows(const SIZE& pixels) const noexcept;

  bool Resizeable() const noexcept { return resizeable_; }
  // Both return whether the size changed. Not resizeable means fixed at
  // once; resizeable again changes no size by itself.
  bool SetResizeable(bool resizeable) noexcept;
  bool Offer(TwipsSize offered) noexcept;
  // A value read back from storage: kept as it is, nothing resized.
  void RestoreResizeable(bool resizeable) noexcept { resizeable_ = resizeable; }

 private:
  bool Become(TwipsSize size) noexcept;

  bool resizeable_ = kResizeable.defaultValue != 0;
  TwipsSize size_{kDesignSizeTwips, kDesignSizeTwips};
};

}  // namespace dicectl
