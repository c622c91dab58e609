#pragma once
// Bitmap DCs: a memory device context with a bitmap of its own selected
// into it, kept as three handles (device context, bitmap, the bitmap it
// displaced), and the four procedures that make and free them.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>

namespace sprites {

// Owns its three handles; destroying it frees them as FreeBitmapDC does.
struct BitmapDC {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  HGDIOBJ displaced = nullptr;

  BitmapDC() = default;
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  ~BitmapDC();
};

namespace mGDI {

// A memory DC with a new bitmap: colour (compatible with the screen) or
// monochrome. True when both were made; a DC without its bitmap stays for
// FreeBitmapDC.
bool CreateBitmapDC(bool bMono, BitmapDC& out, long lWidth, long lHeight);

// A memory DC holding a bitmap file loaded at its natural size.
bool LoadBitmapDC(bool bMono, const std::wstring& sFileName, BitmapDC& out);

// A memory DC holding a copy of a picture's bitmap; the picture's own
// bitmap is never changed or freed.
bool CopyPictureDC(bool bMono, IPicture* oPic, BitmapDC& out);

// Puts the displaced bitmap back, deletes the bitmap and the DC. Does
// nothing without a DC.
void FreeBitmapDC(BitmapDC& bdc);

}  // namespace mGDI
}  // namespace sprites
