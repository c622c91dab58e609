#include "m_gdi.h"

#include "unique_handle.h"

namespace sprites {
namespace {

// The screen's DC, the reference for colour bitmaps; none for monochrome.
win::unique_window_dc ReferenceFor(bool bMono) {
  return bMono ? win::unique_window_dc() : win::unique_window_dc(::GetDesktopWindow());
}

void Clear(BitmapDC& out) {
  mGDI::FreeBitmapDC(out);
  out.dc = nullptr;
  out.bitmap = nullptr;
  out.displaced = nullptr;
}

}  // namespace

BitmapDC::~BitmapDC() { mGDI::FreeBitmapDC(*this); }

namespace mGDI {

bool CreateBitmapDC(bool bMono, BitmapDC& out, long lWidth, long lHeight) {
  Clear(out);
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.dc = ::CreateCompatibleDC(screen.get());
  if (!out.dc) return false;
  // A new memory DC holds a 1x1 monochrome bitmap: against it, the new
  // bitmap is monochrome too.
  HDC reference = bMono ? out.dc : screen.get();
  out.bitmap = ::CreateCompatibleBitmap(reference, lWidth, lHeight);
  if (!out.bitmap) return false;
  out.displaced = ::SelectObject(out.dc, out.bitmap);
  return true;
}

bool LoadBitmapDC(bool bMono, const std::wstring& sFileName, BitmapDC& out) {
  Clear(out);
  // The wide loader, so a program directory outside the ANSI code page works.
  win::unique_hbitmap loaded(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), sFileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!loaded) return false;
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.dc = ::CreateCompatibleDC(screen.get());
  // Without a DC the bitmap would have no owner: it goes at once.
  if (!out.dc) return false;
  out.bitmap = loaded.release();
  out.displaced = ::SelectObject(out.dc, out.bitmap);
  return true;
}

bool CopyPictureDC(bool bMono, IPicture* oPic, BitmapDC& out) {
  Clear(out);
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

  out.dc = ::CreateCompatibleDC(reference);
  if (!out.dc) return false;
  BITMAP info{};
  if (!::GetObjectW(picture, sizeof info, &info)) return false;
  out.bitmap = ::CreateCompatibleBitmap(reference, info.bmWidth, info.bmHeight);
  if (!out.bitmap) return false;
  out.displaced = ::SelectObject(out.dc, out.bitmap);
  ::BitBlt(out.dc, 0, 0, info.bmWidth, info.bmHeight, temp.get(), 0, 0, SRCCOPY);
  return true;
}

void FreeBitmapDC(BitmapDC& bdc) {
  if (!bdc.dc) return;
  if (bdc.bitmap) {
    // A bitmap still selected into a DC cannot be deleted.
    ::SelectObject(bdc.dc, bdc.displaced);
    ::DeleteObject(bdc.bitmap);
    bdc.bitmap = nullptr;
  }
  ::DeleteDC(bdc.dc);
  bdc.dc = nullptr;
}

}  // namespace mGDI
}  // namespace sprites
