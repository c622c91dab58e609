// Reading and rounding numbers as the program's windows and rules do.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "common/numbers.h"

namespace {

TEST(Numbers, ParsesPlainNumbersOnly) {
  for (const auto& [text, value] : {std::pair{L" 12 ", 12.0}, {L"7.", 7.0}, {L".5", 0.5}, {L"-3.25", -3.25},
                                    {L"+1E3", 1000.0}})
    EXPECT_EQ(num::ParseNumber(text), value) << text;
  for (const wchar_t* bad : {L"", L" ", L".", L"..", L"1.2.3", L"e5", L"1e", L"12a", L"a", L"1 2", L"--1"})
    EXPECT_FALSE(num::ParseNumber(bad).has_value()) << bad;
}

// Stroke counts: digits only, up to the largest 64-bit count.
TEST(Numbers, CountsAreDigitsOnly) {
  for (const auto& [text, count] :
       {std::pair{L"0", std::uint64_t{0}}, {L"048", 48}, {L"18446744073709551615", UINT64_MAX}})
    EXPECT_EQ(num::ParseCount(text), count) << text;
  for (const wchar_t* bad : {L"", L" 3", L"3 ", L"-3", L"+3", L"4a", L"1.0", L"18446744073709551616"})
    EXPECT_EQ(num::ParseCount(bad), std::nullopt) << bad;
}

TEST(Numbers, RoundsHalvesToEvenWithinRange) {
  using Long = std::optional<std::int32_t>;
  for (const auto& [value, rounded] : {std::pair{0.5, Long{0}}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.5000001, 3},
                                       {-2147483648.0, INT32_MIN}, {2147483648.0, {}}, {1.0 / 0.0, {}}})
    EXPECT_EQ(num::ToLong(value), rounded) << value;
  EXPECT_EQ(num::ToInteger(383.5), 384);
  EXPECT_EQ(num::ToInteger(32767.4), 32767);
  EXPECT_FALSE(num::ToInteger(32767.5).has_value());
}

}  // namespace
