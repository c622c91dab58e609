// Composes frames of the real board on a 1024 x 768 surface and prints the
// time per frame and how much of the window a frame copies.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "app/board.h"
#include "support/fakes.h"
#include "support/memory_surface.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFrames = 2000;

// The pixels one sprite's StageToScreen copies.
long long CopiedPixels(const sprites::cSprite& s) {
  const long long w = s.Width(), h = s.Height();
  if (s.BltInTwo()) return 2 * w * h;
  return (w + std::labs(s.DrawnX() - s.PreviousX())) * (h + std::labs(s.DrawnY() - s.PreviousY()));
}

}  // namespace

int main() {
  app::SystemRandom random;
  testing_support::FakeKeys keys;
  testing_support::MemorySurface surface(kWidth, kHeight);
  app::Board board(random, keys);
  board.SetUp(VESHA_BIN_DIR, surface);
  board.Start(app::PixelExtent(surface));
  board.Frame(surface.hDC());

  LARGE_INTEGER frequency, start, end;
  ::QueryPerformanceFrequency(&frequency);
  std::vector<double> us;
  long long copied = 0;
  for (int i = 0; i < kFrames; ++i) {
    ::QueryPerformanceCounter(&start);
    board.Frame(surface.hDC());
    ::QueryPerformanceCounter(&end);
    us.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * 1e6 /
                 static_cast<double>(frequency.QuadPart));
    for (const auto& a : board.Asteroids()) copied += CopiedPixels(*a);
    copied += CopiedPixels(board.Ship());
  }
  std::sort(us.begin(), us.end());
  const double perFrame = static_cast<double>(copied) / kFrames;
  std::printf("board frame (57 sprites, %ldx%ld stage): median %.0f us over %d frames\n",
              board.Stage().Width(), board.Stage().Height(), us[us.size() / 2], kFrames);
  std::printf("pixels copied to the window per frame: %.0f of %d (%.1f%%)\n", perFrame,
              kWidth * kHeight, 100.0 * perFrame / (kWidth * kHeight));
  return 0;
}
