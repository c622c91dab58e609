#include "common/random_bits.h"

#include <windows.h>

#include <random>

namespace num {
namespace {
constexpr int kHalfBits = 32;
constexpr int kUnusedBits = 11;               // 64 - 53 mantissa bits
constexpr double kMantissaScale = 0x1.0p-53;  // makes 53 bits a value below 1
}  // namespace

std::uint64_t FreshSeed() {
  LARGE_INTEGER now{};
  ::QueryPerformanceCounter(&now);
  std::random_device device;
  return static_cast<std::uint64_t>(now.QuadPart) ^ (static_cast<std::uint64_t>(device()) << kHalfBits) ^
         device();
}

double UnitFromBits(std::uint64_t bits) { return static_cast<double>(bits >> kUnusedBits) * kMantissaScale; }

}  // namespace num
