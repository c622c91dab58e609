#include "oracle/lot_numbers.h"

#include <array>
#include <string>

#include "common/numbers.h"

namespace oracle {
namespace {

constexpr int kDecimalBase = 10;
constexpr int kTwelveCountsAs = 1;

// The number modulo 384, a remainder of 0 standing for lot 384.
std::int16_t LotOfNumber(std::uint64_t number) {
  const auto remainder = static_cast<std::int16_t>(number % kLotCount);
  return remainder == 0 ? kLotCount : remainder;
}

// The digit a character adds: the count's last digit, except that 10, 20,
// 30 ... strokes add a 1. Only a count of 0 adds a 0.
int DigitOfStrokeCount(std::uint64_t strokes) {
  const int digit = static_cast<int>(strokes % kDecimalBase);
  return digit == 0 && strokes > 0 ? 1 : digit;
}

// A numeral's remainder grows digit by digit, so numerals of any length
// (three large dice sums make thirty digits) never overflow.
class NumeralRemainder {
 public:
  void Append(int digit) { remainder_ = (remainder_ * kDecimalBase + digit) % kLotCount; }
  void AppendDecimal(std::int64_t value) {
    for (char c : std::to_string(value)) Append(c - '0');
  }
  std::int16_t Lot() const { return LotOfNumber(remainder_); }

 private:
  std::uint64_t remainder_ = 0;
};

}  // namespace

std::int16_t LotOfDraw(double r) {
  // For r in [0, 1) the product rounds to 0 ... 384, always in range.
  const std::int16_t n = num::ToInteger(r * kLotCount).value_or(0);
  return LotOfNumber(static_cast<std::uint64_t>(n));
}

std::int16_t LotOfStrokeCounts(std::span<const std::uint64_t> strokes) {
  NumeralRemainder numeral;
  for (std::uint64_t count : strokes) numeral.Append(DigitOfStrokeCount(count));
  return numeral.Lot();
}

std::optional<std::int16_t> LotOfDiceSums(std::span<const std::int32_t, kDiceCasts> sums) {
  std::array<std::int64_t, kDiceCasts> values{};
  for (int i = 0; i < kDiceCasts; ++i) {
    values[i] = std::int64_t{sums[i]} - kSmallestDiceSum;
    if (sums[i] == kLargestDiceSum) values[i] = kTwelveCountsAs;
    if (values[i] < 0) return std::nullopt;
  }
  NumeralRemainder numeral;
  for (std::int64_t value : values) numeral.AppendDecimal(value);
  return numeral.Lot();
}

std::variant<std::int16_t, DiceRefusal> LotOfDiceEntries(std::span<const std::wstring, kDiceCasts> entries) {
  for (const std::wstring& entry : entries)
    if (entry.empty()) return DiceRefusal::Incomplete;
  std::array<std::int32_t, kDiceCasts> sums{};
  for (int i = 0; i < kDiceCasts; ++i) {
    const auto number = num::ParseNumber(entries[i]);
    const auto whole = number ? num::ToLong(*number) : std::nullopt;
    if (!whole) return DiceRefusal::NotANumber;
    sums[i] = *whole;
  }
  if (const auto lot = LotOfDiceSums(sums)) return *lot;
  return DiceRefusal::TooSmall;
}

}  // namespace oracle
