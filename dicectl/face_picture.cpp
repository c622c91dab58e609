#include "dicectl/face_picture.h"

#include "dicectl/module.h"

namespace dicectl {

bool FacePicture::Show(int id) {
  win::unique_hbitmap next(static_cast<HBITMAP>(
      ::LoadImageW(Module::Instance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!next) return false;
  bitmap_ = std::move(next);
  shown_ = id;
  return true;
}

void FacePicture::Draw(HDC dc, const RECT& bounds) const {
  if (!bitmap_) return;
  BITMAP info{};
  ::GetObjectW(bitmap_.get(), sizeof info, &info);
  const win::unique_hdc source(::CreateCompatibleDC(dc));
  const auto keep = win::select(source.get(), bitmap_.get());
  const int oldMode = ::SetStretchBltMode(dc, COLORONCOLOR);
  ::StretchBlt(dc, bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, source.get(), 0,
               0, info.bmWidth, info.bmHeight, SRCCOPY);
  ::SetStretchBltMode(dc, oldMode);
}

}  // namespace dicectl
