#include "dicectl/face_random.h"

#include <windows.h>

#include "common/random_bits.h"

namespace dicectl {
namespace {

constexpr std::uint32_t kStirSpan = 17;       // a tick skips 0 to 16 draws
constexpr std::uint32_t kMsPerSecond = 1000;
constexpr std::uint32_t kSecondsPerMinute = 60;
constexpr std::uint32_t kMinutesPerHour = 60;

std::uint32_t LocalTimeOfDayMs() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return ((t.wHour * kMinutesPerHour + t.wMinute) * kSecondsPerMinute + t.wSecond) * kMsPerSecond +
         t.wMilliseconds;
}

}  // namespace

SystemFaceRandom::SystemFaceRandom() : SystemFaceRandom(num::FreshSeed(), &LocalTimeOfDayMs) {}

SystemFaceRandom::SystemFaceRandom(std::uint64_t seed, Clock timeOfDay)
    : engine_(seed), timeOfDay_(std::move(timeOfDay)) {}

// Skipping a time-dependent number of draws moves the sequence on by the
// clock; the draws stay those of one seeded generator.
void SystemFaceRandom::Stir() { engine_.discard(timeOfDay_() % kStirSpan); }

double SystemFaceRandom::Next() { return num::UnitFromBits(engine_()); }

// A generator of another kind may hand out 1.0 itself; it still maps to n - 1.
int Scaled(double r, int n) {
  const int k = static_cast<int>(r * n);
  return k < n ? k : n - 1;
}

}  // namespace dicectl
