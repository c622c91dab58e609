// Paints the board's bitmaps: a seamless starfield tile, the ship turned
// through twelve headings, and asteroids in three sizes. Everything that is
// not picture is pure green, the sheets' transparent colour.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/bmp_file.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  double r, g, b;
};

constexpr Rgb kGreen{0, 255, 0};

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(Rgb c, double f) { return {c.r * f, c.g * f, c.b * f}; }

class Image {
 public:
  Image(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h, kGreen) {}
  int w() const { return w_; }
  int h() const { return h_; }
  Rgb& at(int x, int y) { return px_[static_cast<size_t>(y) * w_ + x]; }

  bool Write(const std::filesystem::path& file) const {
    std::vector<tools::Pixel> pixels;
    pixels.reserve(px_.size());
    for (const Rgb& c : px_) pixels.push_back({Clamp(c.r), Clamp(c.g), Clamp(c.b)});
    return tools::WriteBmp(file, w_, h_, pixels);
  }

 private:
  static unsigned char Clamp(double v) {
    return static_cast<unsigned char>(std::lround(std::fmin(255.0, std::fmax(0.0, v))));
  }
  int w_, h_;
  std::vector<Rgb> px_;
};

// Deterministic pseudo-random numbers, so every build paints the same art.
class Random {
 public:
  explicit Random(std::uint32_t seed) : s_(seed) {}
  double Next() {
    s_ ^= s_ << 13;
    s_ ^= s_ >> 17;
    s_ ^= s_ << 5;
    return (s_ & 0xFFFFFF) / double(0x1000000);
  }

 private:
  std::uint32_t s_;
};

double Hash(int x, int y, int seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                    static_cast<std::uint32_t>(seed) * 2147483647u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

// Value noise on a lattice of `period` cells that wraps, so it tiles.
double TileNoise(double x, double y, int period, int seed) {
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  auto smooth = [](double t) { return t * t * (3 - 2 * t); };
  auto v = [&](int i, int j) { return Hash(((i % period) + period) % period, ((j % period) + period) % period, seed); };
  const double a = v(x0, y0), b = v(x0 + 1, y0), c = v(x0, y0 + 1), d = v(x0 + 1, y0 + 1);
  const double sx = smooth(fx), sy = smooth(fy);
  return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

double Fbm(double u, double v, int seed) {  // u, v in [0, 1): one tile
  double sum = 0, amp = 0.5, norm = 0;
  for (int period = 4; period <= 32; period *= 2) {
    sum += amp * TileNoise(u * period, v * period, period, seed);
    norm += amp;
    amp *= 0.5;
  }
  return sum / norm;
}

Image Starfield(int size) {
  Image img(size, size);
  const Rgb deep{6, 8, 26}, violet{70, 34, 96}, teal{20, 70, 90};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double u = double(x) / size, v = double(y) / size;
      const double n1 = Fbm(u, v, 7), n2 = Fbm(u, v, 19);
      Rgb c = Mix(deep, violet, std::pow(std::fmax(0, n1 - 0.3) / 0.7, 1.5) * 0.8);
      c = Mix(c, teal, std::pow(std::fmax(0, n2 - 0.4) / 0.6, 1.5) * 0.6);
      img.at(x, y) = c;
    }
  }
  Random rnd(12345);
  constexpr int kStars = 70;
  for (int i = 0; i < kStars; ++i) {
    const int sx = static_cast<int>(rnd.Next() * size), sy = static_cast<int>(rnd.Next() * size);
    const double bright = 0.35 + 0.65 * std::pow(rnd.Next(), 2.5);
    const Rgb tint = Mix(Rgb{255, 240, 220}, Rgb{200, 220, 255}, rnd.Next());
    const bool big = bright > 0.8;
    for (int dy = -2; dy <= 2; ++dy) {
      for (int dx = -2; dx <= 2; ++dx) {
        const double d = std::hypot(dx, dy);
        double glow = dx == 0 && dy == 0 ? 1.0 : (big && (dx == 0 || dy == 0) ? 0.45 / d : 0.0);
        if (!big && d < 1.5 && d > 0) glow = 0.18;
        if (glow <= 0) continue;
        Rgb& p = img.at((sx + dx + size) % size, (sy + dy + size) % size);  // wraps: seamless
        p = Mix(p, tint, std::fmin(1.0, glow * bright));
      }
    }
  }
  return img;
}

// The ship, pointing up, in a space of -16..16 units.
struct Ship {
  static bool Inside(const std::vector<std::array<double, 2>>& poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const auto& a = poly[i];
      const auto& b = poly[j];
      if ((a[1] > y) != (b[1] > y) && x < (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]) + a[0]) in = !in;
    }
    return in;
  }
  static double EdgeDistance(const std::vector<std::array<double, 2>>& poly, double x, double y) {
    double best = 1e9;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const double ax = poly[j][0], ay = poly[j][1], bx = poly[i][0], by = poly[i][1];
      const double t = std::fmax(0, std::fmin(1, ((x - ax) * (bx - ax) + (y - ay) * (by - ay)) /
                                                      ((bx - ax) * (bx - ax) + (by - ay) * (by - ay))));
      best = std::fmin(best, std::hypot(x - (ax + t * (bx - ax)), y - (ay + t * (by - ay))));
    }
    return best;
  }
  // The colour at a point, or nothing (false) where the ship is not.
  static bool Sample(double x, double y, Rgb& c) {
    static const std::vector<std::array<double, 2>> hull = {
        {0, -14}, {4, -4}, {11, 8}, {11, 12}, {4, 8}, {0, 10}, {-4, 8}, {-11, 12}, {-11, 8}, {-4, -4}};
    static const std::vector<std::array<double, 2>> flame = {{-3, 9}, {3, 9}, {0, 15.5}};
    if (Inside(hull, x, y)) {
      if (EdgeDistance(hull, x, y) < 1.1) {
        c = {40, 46, 60};
        return true;
      }
      if (std::hypot(x / 2.2, (y + 3) / 3.6) < 1.0) {  // cockpit
        c = Mix(Rgb{120, 210, 255}, Rgb{20, 60, 140}, std::fmin(1.0, (y + 6) / 6));
        return true;
      }
      const double light = 0.75 - x * 0.03 - y * 0.01;
      c = Scale(std::fabs(x) > 6 ? Rgb{200, 60, 50} : Rgb{215, 220, 230}, light + 0.2);
      return true;
    }
    if (Inside(flame, x, y)) {
      c = Mix(Rgb{255, 240, 150}, Rgb{255, 120, 20}, std::fmin(1.0, (y - 9) / 6));
      return true;
    }
    return false;
  }
};

// Supersampled: a pixel is picture when most of it is covered, so edges
// stay crisp against the transparent green without green fringes.
template <class SampleFn>
void Render(Image& img, int left, int cell, SampleFn sample) {
  constexpr int kSub = 4;
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < cell; ++x) {
      Rgb sum{0, 0, 0};
      int hits = 0;
      for (int sy = 0; sy < kSub; ++sy) {
        for (int sx = 0; sx < kSub; ++sx) {
          Rgb c{};
          if (sample(x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub, c)) {
            sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
            ++hits;
          }
        }
      }
      if (hits * 2 >= kSub * kSub) img.at(left + x, y) = Scale(sum, 1.0 / hits);
    }
  }
}

Image ShipSheet(int cell, int headings) {
  Image img(cell * headings, cell);
  const double unit = cell / 32.0;
  for (int k = 0; k < headings; ++k) {
    // Cell k + 1 is turned k steps to the left (counter-clockwise on screen).
    const double t = k * 2 * kPi / headings, ct = std::cos(t), st = std::sin(t);
    Render(img, k * cell, cell, [&](double px, double py, Rgb& c) {
      const double sx = (px - cell / 2.0) / unit, sy = (py - cell / 2.0) / unit;
      return Ship::Sample(sx * ct - sy * st, sx * st + sy * ct, c);
    });
  }
  return img;
}

Image Asteroid(int size, int seed) {
  Image img(size, size);
  Random rnd(static_cast<std::uint32_t>(seed));
  std::array<double, 5> phase{}, amp{};
  for (size_t i = 0; i < phase.size(); ++i) {
    phase[i] = rnd.Next() * 2 * kPi;
    amp[i] = (0.05 + rnd.Next() * 0.07) / (1 + i * 0.5);
  }
  struct Crater {
    double x, y, r;
  };
  std::vector<Crater> craters;
  constexpr int kCraters = 3;
  for (int i = 0; i < kCraters; ++i) {
    // Spread round the face, so they never line up like features.
    const double a = phase[0] + i * 2 * kPi / kCraters + rnd.Next() * 0.8, d = 0.25 + rnd.Next() * 0.4;
    craters.push_back({d * std::cos(a), d * std::sin(a), 0.08 + rnd.Next() * 0.16});
  }
  const double radius = size / 2.0 - 1;
  const double lx = -0.55, ly = -0.6, lz = 0.58;
  Render(img, 0, size, [&](double px, double py, Rgb& c) {
    const double dx = (px - size / 2.0) / radius, dy = (py - size / 2.0) / radius;
    const double phi = std::atan2(dy, dx);
    double edge = 0.86;
    for (size_t i = 0; i < phase.size(); ++i) edge += amp[i] * std::sin((i + 2) * phi + phase[i]);
    const double d = std::hypot(dx, dy);
    if (d > edge) return false;
    const double r = d / edge;
    double nx = dx / edge, ny = dy / edge, nz = std::sqrt(std::fmax(0.05, 1 - r * r));
    for (const Crater& k : craters) {
      const double cx = nx - k.x, cy = ny - k.y, cd = std::hypot(cx, cy);
      if (cd < k.r) {  // a bowl: its normal leans inward
        nx -= cx / k.r * 0.5;
        ny -= cy / k.r * 0.5;
      }
    }
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double diffuse = std::fmax(0, (nx * lx + ny * ly + nz * lz) / len);
    const double grain = 0.85 + 0.3 * Hash(static_cast<int>(px * 2), static_cast<int>(py * 2), seed);
    const Rgb rock = Mix(Rgb{128, 112, 96}, Rgb{150, 140, 130}, Hash(static_cast<int>(px / 3), static_cast<int>(py / 3), seed + 1));
    c = Scale(rock, (0.22 + 0.95 * diffuse) * grain);
    return true;
  });
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: boardart <program directory>\n");
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  constexpr int kTileSize = 128;
  constexpr int kShipCell = 32;
  constexpr int kHeadings = 12;
  const bool ok = Starfield(kTileSize).Write(dir / "bck_001.bmp") &&
                  ShipSheet(kShipCell, kHeadings).Write(dir / "m_sh.bmp") &&
                  Asteroid(64, 101).Write(dir / "a_large.bmp") &&
                  Asteroid(40, 202).Write(dir / "a_med.bmp") &&
                  Asteroid(24, 303).Write(dir / "a_small.bmp");
  if (!ok) std::fprintf(stderr, "boardart: cannot write the bitmaps\n");
  return ok ? 0 : 1;
}
