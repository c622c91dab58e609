#pragma once
// The dice control's random numbers: one generator per control, seeded
// once; every tick stirs the time of day into it without restarting its
// sequence. A seam, so tests can fix the draws.
#include <cstdint>
#include <functional>
#include <random>

namespace dicectl {

class FaceRandom {
 public:
  virtual ~FaceRandom() = default;
  // Perturbs the generator with the current time of day.
  virtual void Stir() = 0;
  // The next uniform number r, 0 <= r < 1.
  virtual double Next() = 0;
};

class SystemFaceRandom final : public FaceRandom {
 public:
  // Milliseconds since midnight, local time.
  using Clock = std::function<std::uint32_t()>;

  SystemFaceRandom();
  SystemFaceRandom(std::uint64_t seed, Clock timeOfDay);
  void Stir() override;
  double Next() override;

 private:
  std::mt19937_64 engine_;
  Clock timeOfDay_;
};

// floor(n * r) for a draw r: 0 to n - 1.
int Scaled(double r, int n);

}  // namespace dicectl
