#include "sprites/m_gdi.h"

namespace sprites {
namespace {

// The screen's DC, the reference for colour bitmaps; none for monochrome.
win::unique_window_dc ReferenceFor(bool bMono) {
  return bMono ? win::unique_window_dc() : win::unique_window_dc(::GetDesktopWindow());
}

}  // namespace

void BitmapDC::Free() {
  selection_.reset();
  bitmap_.reset();
  dc_.reset();
}

void BitmapDC::TakeDC(win::unique_hdc dc) {
  Free();
  dc_ = std::move(dc);
}

void BitmapDC::TakeBitmap(win::unique_hbitmap bitmap) {
  selection_.reset();
  bitmap_ = std::move(bitmap);
  selection_.emplace(dc_.get(), bitmap_.get());
}

namespace mGDI {

bool CreateBitmapDC(bool bMono, BitmapDC& out, long lWidth, long lHeight) {
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(screen.get())));
  if (!out.dc()) return false;
  // A new memory DC holds a 1x1 monochrome bitmap: against it, the new
  // bitmap is monochrome too.
  HDC reference = bMono ? out.dc() : screen.get();
  win::unique_hbitmap bitmap(::CreateCompatibleBitmap(reference, lWidth, lHeight));
  if (!bitmap) return false;
  out.TakeBitmap(std::move(bitmap));
  return true;
}

bool LoadBitmapDC(bool bMono, const std::wstring& sFileName, BitmapDC& out) {
  out.Free();
  // The wide loader, so a program directory outside the ANSI code page works.
  win::unique_hbitmap loaded(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), sFileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!loaded) return false;
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(screen.get())));
  if (!out.dc()) return false;
  out.TakeBitmap(std::move(loaded));
  return true;
}

bool CopyPictureDC(bool bMono, IPicture* oPic, BitmapDC& out) {
  out.Free();
  if (!oPic) return false;
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(oPic->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(oPic->get_Handle(&handle)))
    return false;
  auto* picture = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));

  const win::unique_window_dc screen = ReferenceFor(bMono);
  win::unique_hdc temp(::CreateCompatibleDC(screen.get()));
  if (!temp) return false;
  HDC reference = bMono ? temp.get() : screen.get();
  const auto keep = win::select(temp.get(), picture);

  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(reference)));
  if (!out.dc()) return false;
  BITMAP info{};
  if (!::GetObjectW(picture, sizeof info, &info)) return false;
  win::unique_hbitmap copy(::CreateCompatibleBitmap(reference, info.bmWidth, info.bmHeight));
  if (!copy) return false;
  out.TakeBitmap(std::move(copy));
  ::BitBlt(out.dc(), 0, 0, info.bmWidth, info.bmHeight, temp.get(), 0, 0, SRCCOPY);
  return true;
}

void FreeBitmapDC(BitmapDC& bdc) { bdc.Free(); }

}  // namespace mGDI
}  // namespace sprites
