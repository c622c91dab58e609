#include "app/random_source.h"

#include <cstdint>

#include "common/random_bits.h"

namespace app {
namespace {
constexpr int kHalfBits = 32;
}  // namespace

SystemRandom::SystemRandom() { Randomize(); }

void SystemRandom::Randomize() {
  const std::uint64_t fresh = num::FreshSeed();
  // The old state goes into the new seed too, so two re-seeds within one
  // timer tick still give different draws.
  std::seed_seq seed{static_cast<std::uint32_t>(fresh), static_cast<std::uint32_t>(fresh >> kHalfBits),
                     static_cast<std::uint32_t>(engine_()), static_cast<std::uint32_t>(engine_() >> kHalfBits)};
  engine_.seed(seed);
}

double SystemRandom::Rnd() { return num::UnitFromBits(engine_()); }

}  // namespace app
