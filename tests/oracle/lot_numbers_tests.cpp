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
using Sums = std::array<std::int32_t, oracle::kDiceCasts>;

// Draws whose product with 384 is exactly a half go to the even neighbour.
TEST(LotNumbers, DrawRoundsHalvesToEven) {
  for (const auto& [r, lot] : {std::pair{0.0, 384}, {1.0 / 768, 384}, {0.5000001 / 384, 1}, {1.0 / 384, 1},
                               {1.0 / 256, 2}, {3.0 / 256, 4}, {0.5, 192}, {255.0 / 256, 382}, {383.0 / 384, 383},
                               {std::nextafter(1.0, 0.0), 384}})
    EXPECT_EQ(oracle::LotOfDraw(r), lot) << r * 384;
}

// Each count's last digit, tens giving a 1; a remainder of 0 is lot 384.
TEST(LotNumbers, CharacterTestJoinsTheDigits) {
  for (const auto& [strokes, lot] :
       {std::pair{std::vector<std::uint64_t>{7, 12, 10}, 337}, {{3, 8, 4}, 384}, {{20}, 1}, {{9, 9, 9}, 231}, {{7}, 7},
        {{7, 3}, 73}, {{10, 20, 30}, 111}, {{0}, 384}, {{7, 6, 8}, 384}, {{48, 100, 1}, 43} /* 811 */,
        {{kLargestCount, kLargestCount, kLargestCount}, 171} /* 555 */})
    EXPECT_EQ(oracle::LotOfStrokeCounts(strokes), lot) << ::testing::PrintToString(strokes);
}

// A sum above 12 adds two digits (13, 2, 2 is 1100); three of the largest
// make a numeral of thirty digits.
TEST(LotNumbers, DiceCastJoinsTheSumsLessTwo) {
  using Lot = std::optional<int>;
  for (const auto& [sums, lot] :
       {std::pair{Sums{7, 12, 3}, Lot{127}}, {{2, 2, 2}, 384}, {{11, 11, 11}, 231}, {{12, 12, 12}, 111},
        {{12, 2, 2}, 100}, {{6, 6, 6}, 60}, {{4, 8, 10}, 268}, {{13, 2, 2}, 332}, {{20, 2, 2}, 264},
        {{kLargestSum, kLargestSum, kLargestSum}, 381}, {{1, 5, 5}, {}}, {{5, 1, 5}, {}}, {{5, 5, 1}, {}},
        {{0, 2, 2}, {}}, {{kSmallestSum, 2, 2}, {}}}) {
    const auto got = oracle::LotOfDiceSums(sums);
    EXPECT_EQ(got ? Lot(*got) : std::nullopt, lot) << ::testing::PrintToString(sums);
  }
  // Every cast two real dice can make, on every box, gives a lot in range.
  using oracle::kLargestDiceSum, oracle::kSmallestDiceSum;
  for (std::int32_t a = kSmallestDiceSum; a <= kLargestDiceSum; ++a)
    for (std::int32_t b = kSmallestDiceSum; b <= kLargestDiceSum; ++b)
      for (std::int32_t c = kSmallestDiceSum; c <= kLargestDiceSum; ++c) {
        const auto got = oracle::LotOfDiceSums(Sums{a, b, c});
        ASSERT_TRUE(got && *got >= 1 && *got <= oracle::kLotCount) << a << " " << b << " " << c;
      }
}

// The sums as typed: read as numbers, rounded with halves to even, and
// refused in order: a box left empty, then no number, then a sum below 2.
TEST(LotNumbers, DiceEntriesAreReadAsNumbersOrRefused) {
  using oracle::DiceRefusal;
  using Outcome = std::variant<std::int16_t, DiceRefusal>;
  using Entries = std::array<std::wstring, oracle::kDiceCasts>;
  for (const auto& [entries, outcome] :
       {std::pair{Entries{L"7", L"12", L"3"}, Outcome{std::int16_t{127}}}, {{L"7.", L"12", L" 3 "}, std::int16_t{127}},
        {{L"2.5", L"2", L"2"}, std::int16_t{384}}, {{L"3.5", L"2", L"2"}, std::int16_t{200}},
        {{L"", L"5", L"5"}, DiceRefusal::Incomplete}, {{L"7", L"1", L""}, DiceRefusal::Incomplete},
        {{L"7", L".", L"5"}, DiceRefusal::NotANumber}, {{L"7", L"..", L"1"}, DiceRefusal::NotANumber},
        {{L"7", L"5", L"3000000000"}, DiceRefusal::NotANumber}, {{L"1", L"5", L"5"}, DiceRefusal::TooSmall},
        {{L"7", L".5", L"5"}, DiceRefusal::TooSmall}, {{L"7", L"5", L"-3"}, DiceRefusal::TooSmall}})
    EXPECT_EQ(oracle::LotOfDiceEntries(entries), outcome) << ::testing::PrintToString(entries);
}

}  // namespace
