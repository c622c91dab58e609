#pragma once
// Number conversions with the program's one rounding rule: to the nearest
// integer, halves to the even neighbour.
#include <cstdint>
#include <optional>
#include <string_view>

namespace num {

// The value of a number written as text: blanks around it, an optional sign,
// digits with an optional point and fraction (at least one digit), and an
// optional exponent. Anything else is not a number.
std::optional<double> ParseNumber(std::wstring_view text);

// A count written in decimal digits only, nothing else; nothing for any
// other text or a count too large for 64 bits.
std::optional<std::uint64_t> ParseCount(std::wstring_view text);

// Rounded to a 32-bit integer; nothing when out of range or not finite.
std::optional<std::int32_t> ToLong(double value);

// Rounded to a 16-bit integer; nothing when out of range or not finite.
std::optional<std::int16_t> ToInteger(double value);

}  // namespace num
