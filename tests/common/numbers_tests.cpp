// Reading and rounding numbers as the program's windows and rules do.
#include <gtest/gtest.h>

#include "common/numbers.h"

namespace {

TEST(Numbers, ParsesPlainNumbersOnly) {
  EXPECT_EQ(num::ParseNumber(L" 12 "), 12.0);
  EXPECT_EQ(num::ParseNumber(L"7."), 7.0);
  EXPECT_EQ(num::ParseNumber(L".5"), 0.5);
  EXPECT_EQ(num::ParseNumber(L"-3.25"), -3.25);
  EXPECT_EQ(num::ParseNumber(L"+1E3"), 1000.0);
  for (const wchar_t* bad : {L"", L" ", L".", L"..", L"1.2.3", L"e5", L"1e", L"12a", L"a", L"1 2", L"--1"})
    EXPECT_FALSE(num::ParseNumber(bad).has_value()) << bad;
}

// Stroke counts: digits only, up to the largest 64-bit count.
TEST(Numbers, CountsAreDigitsOnly) {
  EXPECT_EQ(num::ParseCount(L"0"), 0u);
  EXPECT_EQ(num::ParseCount(L"048"), 48u);
  EXPECT_EQ(num::ParseCount(L"18446744073709551615"), UINT64_MAX);
  for (const wchar_t* bad : {L"", L" 3", L"3 ", L"-3", L"+3", L"4a", L"1.0", L"18446744073709551616"})
    EXPECT_EQ(num::ParseCount(bad), std::nullopt) << bad;
}

TEST(Numbers, RoundsHalvesToEvenWithinRange) {
  EXPECT_EQ(num::ToLong(0.5), 0);
  EXPECT_EQ(num::ToLong(1.5), 2);
  EXPECT_EQ(num::ToLong(2.5), 2);
  EXPECT_EQ(num::ToLong(-2.5), -2);
  EXPECT_EQ(num::ToLong(2.5000001), 3);
  EXPECT_EQ(num::ToInteger(383.5), 384);
  EXPECT_EQ(num::ToInteger(32767.4), 32767);
  EXPECT_FALSE(num::ToInteger(32767.5).has_value());
  EXPECT_FALSE(num::ToLong(2147483648.0).has_value());
  EXPECT_EQ(num::ToLong(-2147483648.0), -2147483647 - 1);
  EXPECT_FALSE(num::ToLong(1.0 / 0.0).has_value());
}

}  // namespace
