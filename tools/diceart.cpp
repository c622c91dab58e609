// Paints the dice control's pictures as 24-bit bitmaps: the six faces
// (40 x 40) and the toolbox picture (16 x 15), in pure red on white only,
// a rounded-square border and round pips.
//
//   diceart OUTDIR   writes face1.bmp .. face6.bmp and toolbox.bmp
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/bmp_file.h"
#include "tools/shapes.h"

namespace {

constexpr tools::Pixel kWhite{255, 255, 255};
constexpr tools::Pixel kRed{255, 0, 0};

using tools::Pip;
using tools::Point;
using tools::RoundedSquare;

RoundedSquare Inset(int width, int height, double inset, double radius) {
  return {inset, inset, width - inset, height - inset, radius};
}

struct Picture {
  int width, height;
  RoundedSquare outer, inner;  // the border lies between the two
  std::vector<Pip> pips;
};

std::vector<tools::Pixel> Paint(const Picture& pic) {
  std::vector<tools::Pixel> pixels;
  for (int y = 0; y < pic.height; ++y) {
    for (int x = 0; x < pic.width; ++x) {
      const Point p{x + 0.5, y + 0.5};
      bool red = pic.outer.Contains(p) && !pic.inner.Contains(p);
      for (const Pip& pip : pic.pips) red = red || pip.Contains(p);
      pixels.push_back(red ? kRed : kWhite);
    }
  }
  return pixels;
}

// Face pictures: a 2-pixel border one pixel in from the edge, pips on a
// 3 x 3 grid; face 1 has one large pip in the middle.
constexpr int kFaceSize = 40;
constexpr double kFaceMargin = 1;
constexpr double kFaceBorder = 2;
constexpr double kFaceCorner = 6;
constexpr double kLow = 11, kMid = 20, kHigh = 29;
constexpr double kPipRadius = 4;
constexpr double kLargePipRadius = 7;

Picture Face(int pips) {
  const Point tl{kLow, kLow}, tr{kHigh, kLow}, ml{kLow, kMid}, c{kMid, kMid}, mr{kHigh, kMid}, bl{kLow, kHigh},
      br{kHigh, kHigh};
  std::vector<Point> at;
  switch (pips) {
    case 2: at = {tl, br}; break;
    case 3: at = {tl, c, br}; break;
    case 4: at = {tl, tr, bl, br}; break;
    case 5: at = {tl, tr, c, bl, br}; break;
    case 6: at = {tl, tr, ml, mr, bl, br}; break;
    default: break;
  }
  Picture pic{kFaceSize, kFaceSize, Inset(kFaceSize, kFaceSize, kFaceMargin, kFaceCorner),
              Inset(kFaceSize, kFaceSize, kFaceMargin + kFaceBorder, kFaceCorner - kFaceBorder), {}};
  if (pips == 1) pic.pips.push_back({c, kLargePipRadius});
  for (const Point& p : at) pic.pips.push_back({p, kPipRadius});
  return pic;
}

// The toolbox picture: a die showing five, with a one-pixel border.
constexpr int kToolboxWidth = 16;
constexpr int kToolboxHeight = 15;
constexpr double kToolboxCorner = 3;
constexpr double kToolboxBorder = 1;
constexpr double kToolboxPip = 1.3;
constexpr double kToolboxLeft = 4.5, kToolboxRight = 11.5, kToolboxTop = 4.5, kToolboxBottom = 10.5;

Picture Toolbox() {
  const Point c{kToolboxWidth / 2.0, kToolboxHeight / 2.0};
  return {kToolboxWidth,
          kToolboxHeight,
          Inset(kToolboxWidth, kToolboxHeight, 0, kToolboxCorner),
          Inset(kToolboxWidth, kToolboxHeight, kToolboxBorder, kToolboxCorner - kToolboxBorder),
          {{{kToolboxLeft, kToolboxTop}, kToolboxPip},
           {{kToolboxRight, kToolboxTop}, kToolboxPip},
           {c, kToolboxPip},
           {{kToolboxLeft, kToolboxBottom}, kToolboxPip},
           {{kToolboxRight, kToolboxBottom}, kToolboxPip}}};
}

bool Write(const std::filesystem::path& file, const Picture& pic) {
  if (tools::WriteBmp(file, pic.width, pic.height, Paint(pic))) return true;
  std::fprintf(stderr, "diceart: cannot write %s\n", file.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: diceart OUTDIR\n");
    return 1;
  }
  const std::filesystem::path dir = argv[1];
  bool ok = true;
  constexpr int kFaces = 6;
  for (int n = 1; n <= kFaces; ++n) ok = Write(dir / ("face" + std::to_string(n) + ".bmp"), Face(n)) && ok;
  ok = Write(dir / "toolbox.bmp", Toolbox()) && ok;
  return ok ? 0 : 1;
}
