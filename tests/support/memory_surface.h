#pragma once
// A memory bitmap standing in for the main window as the board's surface.
#include "common/twips.h"
#include "sprites/render_object.h"
#include "support/pixels.h"

namespace testing_support {

class MemorySurface : public sprites::RenderObject {
 public:
  MemorySurface(int width, int height) : width_(width), height_(height) {
    MakeTarget(window, width, height, kBlack);
  }
  int ScaleWidth() const override { return win::PixelsToTwipsX(width_); }
  int ScaleHeight() const override { return win::PixelsToTwipsY(height_); }
  HDC hDC() const override { return window.hDC(); }

  sprites::cBitmap window;

 private:
  int width_, height_;
};

}  // namespace testing_support
