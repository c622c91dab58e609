#include "random_source.h"

#include <windows.h>

#include <cstdint>

namespace app {
namespace {
constexpr int kUnusedBits = 11;                    // 64 - 53 mantissa bits
constexpr double kMantissaScale = 0x1.0p-53;       // makes 53 bits a value below 1
constexpr int kHalfBits = 32;
}  // namespace

SystemRandom::SystemRandom() { Randomize(); }

void SystemRandom::Randomize() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  const auto ticks = static_cast<std::uint64_t>(now.QuadPart);
  // The old state goes into the new seed too, so two re-seeds within one
  // timer tick still give different draws.
  std::seed_seq seed{static_cast<std::uint32_t>(ticks), static_cast<std::uint32_t>(ticks >> kHalfBits),
                     static_cast<std::uint32_t>(engine_()), static_cast<std::uint32_t>(engine_() >> kHalfBits)};
  engine_.seed(seed);
}

double SystemRandom::Rnd() { return static_cast<double>(engine_() >> kUnusedBits) * kMantissaScale; }

}  // namespace app
