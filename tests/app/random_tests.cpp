// The real generator's spread over the random draw's lots.
#include <gtest/gtest.h>

#include <array>

#include "app/random_source.h"
#include "oracle/lot_numbers.h"

namespace {

// Re-seeded before every draw, as the program draws, the 384 lots still
// come up evenly: chi-square with 383 degrees of freedom stays within its
// two-sided 0.001% bounds (about 265 and 505).
TEST(RandomDraw, RealGeneratorDrawsEveryLotEvenly) {
  constexpr int kPerLot = 200;
  constexpr int kDraws = 384 * kPerLot;
  app::SystemRandom random;
  std::array<int, 385> counts{};
  for (int i = 0; i < kDraws; ++i) {
    random.Randomize();
    const double r = random.Rnd();
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
    ++counts[static_cast<size_t>(oracle::LotOfDraw(r))];
  }
  double chi2 = 0;
  for (int lot = 1; lot <= 384; ++lot) {
    const double d = counts[static_cast<size_t>(lot)] - kPerLot;
    chi2 += d * d / kPerLot;
  }
  EXPECT_LT(chi2, 505.0);
  EXPECT_GT(chi2, 265.0) << "too even to be random";
}

}  // namespace
