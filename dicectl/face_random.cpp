#include "face_random.h"

#include <windows.h>

namespace dicectl {
namespace {

constexpr int kUnusedBits = 11;               // 64 - 53 mantissa bits
constexpr double kMantissaScale = 0x1.0p-53;  // makes 53 bits a value below 1
constexpr std::uint32_t kStirSpan = 17;       // a tick skips 0 to 16 draws
constexpr int kHalfBits = 32;
constexpr std::uint32_t kMsPerSecond = 1000;
constexpr std::uint32_t kSecondsPerMinute = 60;
constexpr std::uint32_t kMinutesPerHour = 60;

std::uint32_t LocalTimeOfDayMs() {
  SYSTEMTIME t;
  ::GetLocalTime(&t);
  return ((t.wHour * kMinutesPerHour + t.wMinute) * kSecondsPerMinute + t.wSecond) * kMsPerSecond +
         t.wMilliseconds;
}

// Two controls created in the same instant still get different seeds.
std::uint64_t FreshSeed() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  std::random_device device;
  return static_cast<std::uint64_t>(now.QuadPart) ^ (static_cast<std::uint64_t>(device()) << kHalfBits) ^
         device();
}

}  // namespace

SystemFaceRandom::SystemFaceRandom() : SystemFaceRandom(FreshSeed(), &LocalTimeOfDayMs) {}

SystemFaceRandom::SystemFaceRandom(std::uint64_t seed, Clock timeOfDay)
    : engine_(seed), timeOfDay_(std::move(timeOfDay)) {}

// Skipping a time-dependent number of draws moves the sequence on by the
// clock; the draws stay those of one seeded generator.
void SystemFaceRandom::Stir() { engine_.discard(timeOfDay_() % kStirSpan); }

double SystemFaceRandom::Next() { return static_cast<double>(engine_() >> kUnusedBits) * kMantissaScale; }

// A generator of another kind may hand out 1.0 itself; it still maps to n - 1.
int Scaled(double r, int n) {
  const int k = static_cast<int>(r * n);
  return k < n ? k : n - 1;
}

}  // namespace dicectl
