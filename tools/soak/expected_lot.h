#pragma once
// The lot the program should show for what was typed, worked out over
// again in a few lines of the soak's own, so that a wrong rule in the
// program shows as a difference instead of passing.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "soak/store_contents.h"

namespace soak {

inline constexpr int kDiceCasts = 3;
inline constexpr int kSmallestDiceSum = 2;
inline constexpr int kLargestDiceSum = 12;

// Typed characters that give no lot: none typed (zi is 0), or the first
// the store lacks.
struct NoLotFor {
  wchar_t zi = 0;
};

// Each character's smallest stroke count gives a digit, its last one, but
// a 1 for 10, 20, 30 ... strokes; the digits in order are a numeral, and the
// lot is that numeral modulo 384, a remainder of 0 being lot 384.
std::variant<std::int16_t, NoLotFor> ExpectedLotOfCharacters(const StoreContents& store, std::wstring_view typed);

// The three sums as typed (digits and points): each rounded to a whole sum,
// halves to even, less 2, a sum of 12 counting as 1; written out in order
// they are the numeral. 0 when a box is empty, holds no number or a sum
// below 2.
std::int16_t ExpectedLotOfSums(std::span<const std::wstring, kDiceCasts> typed);

}  // namespace soak
