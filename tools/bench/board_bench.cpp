// Composes frames of the real board on a 1024 x 768 surface and prints the
// time per frame, where a frame's time goes (each pass over the 57 sprites,
// and a 64 x 64 copy of each kind the passes make), and how much of the
// window a frame copies.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "app/board.h"
#include "app/screen.h"
#include "sprites/m_gdi.h"
#include "support/fakes.h"
#include "support/memory_surface.h"
#include "bench/timing.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrames = 2000;
constexpr int kBlitSide = 64;
constexpr int kBlits = 5000;

// The pixels one sprite's StageToScreen copies.
long long CopiedPixels(const sprites::cSprite& s) {
  const long long w = s.Width(), h = s.Height();
  if (s.BltInTwo()) return 2 * w * h;
  return (w + std::labs(s.DrawnX() - s.PreviousX())) * (h + std::labs(s.DrawnY() - s.PreviousY()));
}

constexpr double kMedian = 0.5;

// The median of repeated runs of work, in microseconds.
double MedianUs(int runs, const std::function<void()>& work) {
  return bench::Quantile(bench::TimesUs(runs, [&](int) { work(); }), kMedian);
}

// Each pass of a frame on its own, over the asteroids (all but the ship).
void PrintPasses(app::Board& board, HDC window) {
  HDC stage = board.Stage().hDC();
  std::vector<sprites::cSprite*> sprites;
  for (const auto& a : board.Asteroids()) sprites.push_back(a.get());
  const auto each = [&](auto step) { return [&sprites, step] { for (auto* s : sprites) step(*s); }; };
  const double erase = MedianUs(kFrames, each([&](sprites::cSprite& s) { s.RestoreBackground(stage); }));
  const double store = MedianUs(kFrames, each([&](sprites::cSprite& s) { s.StoreBackground(stage, s.X(), s.Y()); }));
  const double draw =
      MedianUs(kFrames, each([&](sprites::cSprite& s) { s.TransparentDraw(stage, s.X(), s.Y(), 1, false); }));
  const double present = MedianUs(kFrames, each([&](sprites::cSprite& s) { s.StageToScreen(window, stage); }));
  std::printf("a frame's passes over its %zu asteroids: erase %.0f us, store %.0f us, draw %.0f us, present %.0f us\n",
              sprites.size(), erase, store, draw, present);
}

// One 64 x 64 copy of each kind a frame makes, onto a screen-compatible
// stage: a plain copy, the mask pass from the monochrome mask (converted on
// every copy), the same from a mask of the stage's own format, and the
// sheet pass.
void PrintBlitKinds() {
  sprites::BitmapDC stage, colour, mono;
  if (!sprites::mGDI::CreateBitmapDC(false, stage, kWidth, kHeight) ||
      !sprites::mGDI::CreateBitmapDC(false, colour, kBlitSide, kBlitSide) ||
      !sprites::mGDI::CreateBitmapDC(true, mono, kBlitSide, kBlitSide)) {
    std::printf("64x64 copies: the bitmaps could not be made\n");
    return;
  }
  const auto blit = [&](HDC from, DWORD rop) {
    return [&stage, from, rop] { ::BitBlt(stage.dc(), 0, 0, kBlitSide, kBlitSide, from, 0, 0, rop); };
  };
  std::printf(
      "one 64x64 copy onto the stage: SRCCOPY %.1f us, SRCPAINT from the monochrome mask %.1f us, SRCPAINT from a "
      "colour mask %.1f us, SRCAND %.1f us\n",
      MedianUs(kBlits, blit(colour.dc(), SRCCOPY)), MedianUs(kBlits, blit(mono.dc(), SRCPAINT)),
      MedianUs(kBlits, blit(colour.dc(), SRCPAINT)), MedianUs(kBlits, blit(colour.dc(), SRCAND)));
}

}  // namespace

int main() {
  app::SystemRandom random;
  testing_support::FakeKeys keys;
  testing_support::MemorySurface surface(kWidth, kHeight);
  app::Board board(random, keys);
  board.SetUp(VESHA_BIN_DIR, surface, app::SystemScreen().SizeInPixels());
  if (board.Asteroids().empty() || board.Ship().Width() == 0) {
    std::fprintf(stderr, "board_bench: the board's pictures in %ls could not be loaded\n", VESHA_BIN_DIR);
    return 1;
  }
  board.Start(app::PixelExtent(surface));
  board.Frame(surface.hDC());

  std::vector<double> us;
  long long copied = 0;
  for (int i = 0; i < kFrames; ++i) {
    us.push_back(bench::ElapsedUs([&] { board.Frame(surface.hDC()); }));
    for (const auto& a : board.Asteroids()) copied += CopiedPixels(*a);
    copied += CopiedPixels(board.Ship());
  }
  const double frame = bench::Quantile(std::move(us), kMedian);
  const double perFrame = static_cast<double>(copied) / kFrames;
  std::printf("board frame (57 sprites, %ldx%ld stage): median %.0f us over %d frames\n", board.Stage().Width(),
              board.Stage().Height(), frame, kFrames);
  std::printf("pixels copied to the window per frame: %.0f of %d (%.1f%%)\n", perFrame, kWidth * kHeight,
              100.0 * perFrame / (kWidth * kHeight));
  PrintPasses(board, surface.hDC());
  PrintBlitKinds();
  return 0;
}
