#include "common/numbers.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace num {
namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

template <class Int>
std::optional<Int> RoundTo(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // The default floating-point mode rounds halves to even.
  const double r = std::nearbyint(value);
  if (r < static_cast<double>(std::numeric_limits<Int>::min()) ||
      r > static_cast<double>(std::numeric_limits<Int>::max()))
    return std::nullopt;
  return static_cast<Int>(r);
}

}  // namespace

std::optional<double> ParseNumber(std::wstring_view text) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  size_t end = n;
  while (end > i && IsBlank(text[end - 1])) --end;

  std::string ascii;  // what strtod reads, in the C locale's notation
  if (i < end && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
  size_t digits = 0;
  while (i < end && IsDigit(text[i])) ascii += static_cast<char>(text[i++]), ++digits;
  if (i < end && text[i] == L'.') {
    ascii += '.';
    ++i;
    while (i < end && IsDigit(text[i])) ascii += static_cast<char>(text[i++]), ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (i < end && (text[i] == L'e' || text[i] == L'E')) {
    ascii += 'e';
    ++i;
    if (i < end && (text[i] == L'+' || text[i] == L'-')) ascii += static_cast<char>(text[i++]);
    size_t expDigits = 0;
    while (i < end && IsDigit(text[i])) ascii += static_cast<char>(text[i++]), ++expDigits;
    if (expDigits == 0) return std::nullopt;
  }
  if (i != end) return std::nullopt;
  return std::strtod(ascii.c_str(), nullptr);
}

std::optional<std::int32_t> ToLong(double value) { return RoundTo<std::int32_t>(value); }

std::optional<std::int16_t> ToInteger(double value) { return RoundTo<std::int16_t>(value); }

std::optional<std::uint64_t> ParseCount(std::wstring_view text) {
  constexpr std::uint64_t kBase = 10;
  if (text.empty()) return std::nullopt;
  std::uint64_t count = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - L'0');
    if (count > (std::numeric_limits<std::uint64_t>::max() - digit) / kBase) return std::nullopt;
    count = count * kBase + digit;
  }
  return count;
}

}  // namespace num
