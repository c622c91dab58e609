#pragma once
// The program's random numbers: uniform draws in [0, 1), re-seeded from a
// high-resolution timer when asked. A seam, so tests can fix the draws.
#include <random>

namespace app {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Stirs the current time into the generator.
  virtual void Randomize() = 0;
  // The next uniform number r, 0 <= r < 1.
  virtual double Rnd() = 0;
};

class SystemRandom final : public RandomSource {
 public:
  SystemRandom();
  void Randomize() override;
  double Rnd() override;

 private:
  std::mt19937_64 engine_;
};

}  // namespace app
