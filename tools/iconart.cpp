// Paints the dice window's icon: two dice, 32 x 32 in the 16 standard
// colours, one behind showing four and one in front showing one, their
// pips red as on Chinese dice.
//
//   iconart FILE   writes the icon file
#include <cstdio>
#include <vector>

#include "tools/ico_file.h"
#include "tools/shapes.h"

namespace {

using tools::Pip;
using tools::Point;
using tools::RoundedSquare;

constexpr int kSide = 32;

// Palette indices of the standard 16 colours.
enum Colour : std::uint8_t { kBlack = 0, kSilver = 7, kGrey = 8, kRed = 9, kWhite = 15 };

constexpr tools::IconPalette kStandardColours{{{0, 0, 0},
                                               {128, 0, 0},
                                               {0, 128, 0},
                                               {128, 128, 0},
                                               {0, 0, 128},
                                               {128, 0, 128},
                                               {0, 128, 128},
                                               {192, 192, 192},
                                               {128, 128, 128},
                                               {255, 0, 0},
                                               {0, 255, 0},
                                               {255, 255, 0},
                                               {0, 0, 255},
                                               {255, 0, 255},
                                               {0, 255, 255},
                                               {255, 255, 255}}};

struct Die {
  RoundedSquare outer;
  std::vector<Pip> pips;
  std::uint8_t border;

  // A one-pixel border, a shaded lower-right edge inside it, a white face.
  void Paint(Point p, std::uint8_t& colour) const {
    if (!outer.Contains(p)) return;
    const RoundedSquare face{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1, outer.radius - 1};
    const RoundedSquare lit{face.left, face.top, face.right - 1, face.bottom - 1, face.radius};
    colour = !face.Contains(p) ? border : static_cast<std::uint8_t>(lit.Contains(p) ? kWhite : kSilver);
    for (const Pip& pip : pips)
      if (pip.Contains(p)) colour = kRed;
  }
};

constexpr double kCorner = 4;
constexpr double kPip = 2.6;
constexpr double kLargePip = 4.5;

const Die kBack{{1, 1, 21, 21, kCorner}, {{{6, 6}, kPip}, {{16, 6}, kPip}, {{6, 16}, kPip}}, kGrey};
const Die kFront{{11, 11, 31, 31, kCorner}, {{{21, 21}, kLargePip}}, kBlack};

std::vector<std::uint8_t> Paint() {
  std::vector<std::uint8_t> pixels;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const Point p{x + 0.5, y + 0.5};
      std::uint8_t colour = tools::kTransparent;
      for (const Die* die : {&kBack, &kFront}) die->Paint(p, colour);
      pixels.push_back(colour);
    }
  }
  return pixels;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: iconart FILE\n");
    return 1;
  }
  if (tools::WriteIcon(argv[1], kSide, kSide, kStandardColours, Paint())) return 0;
  std::fprintf(stderr, "iconart: cannot write %s\n", argv[1]);
  return 1;
}
