#pragma once
// How a draw, typed characters or dice sums become a lot number. Kept free
// of windows and of the store, so the windows and the odds tool in tools/
// share this one copy of the rules. Every rule ends in a number taken
// modulo 384, a remainder of 0 standing for lot 384.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace oracle {

inline constexpr std::int16_t kLotCount = 384;
inline constexpr int kDiceCasts = 3;
inline constexpr int kSmallestDiceSum = 2;
inline constexpr int kLargestDiceSum = 12;

// The random draw, r in [0, 1): r times 384 rounded, halves to even.
std::int16_t LotOfDraw(double r);

// The character test: each count's digit, joined in order into one numeral.
// The digit is the count's last digit, except that 10, 20, 30 ... strokes
// add a 1; only a count of 0 adds a 0.
std::int16_t LotOfStrokeCounts(std::span<const std::uint64_t> strokes);

// The dice cast: each sum less 2 (a sum of 12 counting as 1), written out
// and joined in order into one numeral. Nothing when a sum is below 2; sums
// above 12 are taken as they are.
std::optional<std::int16_t> LotOfDiceSums(std::span<const std::int32_t, kDiceCasts> sums);

// Why typed dice sums give no lot, in the order they are checked: a box
// left empty, a sum that is no number, a sum below 2.
enum class DiceRefusal { Incomplete, NotANumber, TooSmall };

// The dice cast from the three sums as typed: each a number, rounded to a
// whole sum (halves to even), then as LotOfDiceSums.
std::variant<std::int16_t, DiceRefusal> LotOfDiceEntries(std::span<const std::wstring, kDiceCasts> entries);

}  // namespace oracle
