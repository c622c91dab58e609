#pragma once
// Bitmap DCs: a memory device context with a bitmap of its own selected
// into it, and the four procedures that make and free them.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <optional>
#include <string>

#include "common/unique_handle.h"

namespace sprites {

// Owns its DC and bitmap. Freeing, and destruction, put the displaced
// bitmap back before the bitmap and then the DC are deleted.
class BitmapDC {
 public:
  BitmapDC() = default;
  BitmapDC(const BitmapDC&) = delete;
  BitmapDC& operator=(const BitmapDC&) = delete;
  ~BitmapDC() { Free(); }

  HDC dc() const { return dc_.get(); }
  HBITMAP bitmap() const { return bitmap_.get(); }

  void Free();
  // A new DC, after freeing what was held.
  void TakeDC(win::unique_hdc dc);
  // Selects the bitmap into the DC held, which then owns it.
  void TakeBitmap(win::unique_hbitmap bitmap);

 private:
  win::unique_hdc dc_;
  win::unique_hbitmap bitmap_;
  std::optional<win::select_guard> selection_;  // declared last, undone first
};

namespace mGDI {

// A memory DC with a new bitmap: colour (compatible with the screen) or
// monochrome. True when both were made; a DC without its bitmap stays for
// FreeBitmapDC.
bool CreateBitmapDC(bool bMono, BitmapDC& out, long lWidth, long lHeight);

// A memory DC holding a bitmap file loaded at its natural size; false for
// a file that is no bitmap or one too large for board art.
bool LoadBitmapDC(bool bMono, const std::wstring& sFileName, BitmapDC& out);

// A memory DC holding a copy of a picture's bitmap; the picture's own
// bitmap is never changed or freed.
bool CopyPictureDC(bool bMono, IPicture* oPic, BitmapDC& out);

// Puts the displaced bitmap back, deletes the bitmap and the DC. Does
// nothing without a DC.
void FreeBitmapDC(BitmapDC& bdc);

}  // namespace mGDI
}  // namespace sprites
