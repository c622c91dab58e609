#pragma once
// ImgDice: the face picture, loaded from the library's bitmap resources by
// number each time a face is shown, and drawn stretched to any rectangle.
#include <windows.h>

#include "common/unique_handle.h"

namespace dicectl {

class FacePicture {
 public:
  // Loads bitmap resource `id`; false (keeping the old picture) when the
  // library has no such bitmap.
  bool Show(int id);
  int Shown() const noexcept { return shown_; }
  // Scales the picture to the rectangle.
  void Draw(HDC dc, const RECT& bounds) const;

 private:
  win::unique_hbitmap bitmap_;
  int shown_ = 0;
};

}  // namespace dicectl
