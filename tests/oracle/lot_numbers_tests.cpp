// The lot rules of the draw, the character test and the dice cast.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "oracle/lot_numbers.h"

namespace {

constexpr auto kLargestCount = std::numeric_limits<std::uint64_t>::max();
constexpr auto kLargestSum = std::numeric_limits<std::int32_t>::max();
constexpr auto kSmallestSum = std::numeric_limits<std::int32_t>::min();

// Draws whose product with 384 is exactly a half go to the even neighbour.
TEST(LotNumbers, DrawRoundsHalvesToEven) {
  struct Case {
    double r;
    int lot;
  };
  for (const Case& c : {Case{0.0, 384}, Case{1.0 / 768, 384}, Case{0.5000001 / 384, 1},
                        Case{1.0 / 384, 1}, Case{1.0 / 256, 2}, Case{3.0 / 256, 4}, Case{0.5, 192},
                        Case{255.0 / 256, 382}, Case{383.0 / 384, 383}, Case{std::nextafter(1.0, 0.0), 384}}) {
    EXPECT_EQ(oracle::LotOfDraw(c.r), c.lot) << c.r * 384;
  }
}

// Each count's last digit, tens giving a 1; a remainder of 0 is lot 384.
TEST(LotNumbers, CharacterTestJoinsTheDigits) {
  struct Case {
    std::vector<std::uint64_t> strokes;
    int lot;
  };
  const std::vector<Case> cases = {
      {{7, 12, 10}, 337}, {{3, 8, 4}, 384},  {{20}, 1},         {{9, 9, 9}, 231},
      {{7}, 7},           {{7, 3}, 73},       {{10, 20, 30}, 111}, {{0}, 384},
      {{7, 6, 8}, 384},   {{48, 100, 1}, 43},  // 811
      {{kLargestCount, kLargestCount, kLargestCount}, 171},  // 555
  };
  for (const Case& c : cases) {
    EXPECT_EQ(oracle::LotOfStrokeCounts(c.strokes), c.lot) << ::testing::PrintToString(c.strokes);
  }
}

TEST(LotNumbers, DiceCastJoinsTheSumsLessTwo) {
  struct Case {
    std::array<std::int32_t, oracle::kDiceCasts> sums;
    std::optional<int> lot;
  };
  const std::vector<Case> cases = {
      {{7, 12, 3}, 127},
      {{2, 2, 2}, 384},
      {{11, 11, 11}, 231},
      {{12, 12, 12}, 111},
      {{12, 2, 2}, 100},
      {{6, 6, 6}, 60},
      {{4, 8, 10}, 268},
      {{13, 2, 2}, 332},  // 1100: a sum above 12 adds two digits
      {{20, 2, 2}, 264},
      {{kLargestSum, kLargestSum, kLargestSum}, 381},  // a numeral of thirty digits
      {{1, 5, 5}, std::nullopt},
      {{5, 1, 5}, std::nullopt},
      {{5, 5, 1}, std::nullopt},
      {{0, 2, 2}, std::nullopt},
      {{kSmallestSum, 2, 2}, std::nullopt},
  };
  for (const Case& c : cases) {
    const auto lot = oracle::LotOfDiceSums(c.sums);
    EXPECT_EQ(lot ? std::optional<int>(*lot) : std::nullopt, c.lot) << ::testing::PrintToString(c.sums);
  }
}

// The sums as typed: read as numbers, rounded with halves to even, and
// refused in order: a box left empty, then no number, then a sum below 2.
TEST(LotNumbers, DiceEntriesAreReadAsNumbersOrRefused) {
  using oracle::DiceRefusal;
  using Outcome = std::variant<std::int16_t, DiceRefusal>;
  struct Case {
    std::array<std::wstring, oracle::kDiceCasts> entries;
    Outcome outcome;
  };
  const std::vector<Case> cases = {
      {{L"7", L"12", L"3"}, std::int16_t{127}},    {{L"7.", L"12", L" 3 "}, std::int16_t{127}},
      {{L"2.5", L"2", L"2"}, std::int16_t{384}},   {{L"3.5", L"2", L"2"}, std::int16_t{200}},
      {{L"", L"5", L"5"}, DiceRefusal::Incomplete}, {{L"7", L"1", L""}, DiceRefusal::Incomplete},
      {{L"7", L".", L"5"}, DiceRefusal::NotANumber}, {{L"7", L"..", L"1"}, DiceRefusal::NotANumber},
      {{L"7", L"5", L"3000000000"}, DiceRefusal::NotANumber},
      {{L"1", L"5", L"5"}, DiceRefusal::TooSmall},   {{L"7", L".5", L"5"}, DiceRefusal::TooSmall},
      {{L"7", L"5", L"-3"}, DiceRefusal::TooSmall},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(oracle::LotOfDiceEntries(c.entries), c.outcome) << ::testing::PrintToString(c.entries);
  }
}

// Every cast two real dice can make, on every box, gives a lot in range.
TEST(LotNumbers, EveryRealCastGivesALot) {
  for (std::int32_t s1 = oracle::kSmallestDiceSum; s1 <= oracle::kLargestDiceSum; ++s1)
    for (std::int32_t s2 = oracle::kSmallestDiceSum; s2 <= oracle::kLargestDiceSum; ++s2)
      for (std::int32_t s3 = oracle::kSmallestDiceSum; s3 <= oracle::kLargestDiceSum; ++s3) {
        const std::array<std::int32_t, oracle::kDiceCasts> sums = {s1, s2, s3};
        const auto lot = oracle::LotOfDiceSums(sums);
        ASSERT_TRUE(lot.has_value());
        ASSERT_GE(*lot, 1);
        ASSERT_LE(*lot, oracle::kLotCount);
      }
}

}  // namespace
