#pragma once
// A drawable surface a tile can cover: its interior size in twips and its
// device context. The main window is one.
#include <windows.h>

namespace sprites {

class RenderObject {
 public:
  virtual ~RenderObject() = default;
  virtual int ScaleWidth() const = 0;   // twips
  virtual int ScaleHeight() const = 0;  // twips
  virtual HDC hDC() const = 0;
};

}  // namespace sprites
