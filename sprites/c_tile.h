#pragma once
// A tiled background: one picture repeated over an area, row by row from
// the top-left corner.
#include <windows.h>
#include <ocidl.h>

#include <memory>
#include <string>

#include "sprites/c_bitmap.h"
#include "sprites/render_object.h"

namespace sprites {

class cTile {
 public:
  cTile() : bitmap_(std::make_unique<cBitmap>()) {}
  cTile(const cTile&) = delete;
  cTile& operator=(const cTile&) = delete;
  ~cTile() { ResetTile(); }

  // Covers the render object's whole interior.
  void TileObject();
  // Covers (0, 0) to (lWidth, lHeight) of the DC, both bounds inclusive.
  // An empty picture draws nothing.
  void TileDC(HDC lHDC, long lWidth, long lHeight) const;

  // Loads the file as the picture, once per name (case counts); a name that
  // failed to load is not kept. Needs Initialise first. Empty resets.
  void FileName(const std::wstring& sFileName);
  const std::wstring& FileName() const { return fileName_; }
  // Copies the picture; the tile is left without a render object.
  void Picture(IPicture* oPic);
  // The surface is the caller's: the tile only refers to it.
  void Initialise(RenderObject& objRender) { render_ = &objRender; }

  const cBitmap* Bitmap() const { return bitmap_.get(); }

 private:
  bool IsInitialised() const;
  static void ReportError(long number, const wchar_t* text);
  void ResetTile();

  std::wstring fileName_;
  std::unique_ptr<cBitmap> bitmap_;
  RenderObject* render_ = nullptr;
};

}  // namespace sprites
