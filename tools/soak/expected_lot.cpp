#include "soak/expected_lot.h"

#include <cmath>
#include <optional>
#include <string>

namespace soak {
namespace {

constexpr unsigned kLots = 384;
constexpr unsigned kDecimalBase = 10;
constexpr int kTwelveCountsAs = 1;

// The numeral's remainder is kept as the digits come, so any length fits.
class Numeral {
 public:
  void Add(unsigned digit) { remainder_ = (remainder_ * kDecimalBase + digit) % kLots; }
  void Add(const std::string& digits) {
    for (char c : digits) Add(static_cast<unsigned>(c - '0'));
  }
  std::int16_t Lot() const { return static_cast<std::int16_t>(remainder_ == 0 ? kLots : remainder_); }

 private:
  unsigned remainder_ = 0;
};

// A whole sum from digits with at most one point among them; nothing for
// an empty box, a lone point or a second point.
std::optional<long long> WholeSum(const std::wstring& typed) {
  const size_t point = typed.find(L'.');
  if (typed.empty() || typed == L"." || (point != std::wstring::npos && typed.find(L'.', point + 1) != std::wstring::npos))
    return std::nullopt;
  std::string ascii;
  for (wchar_t c : typed) {
    if (c != L'.' && (c < L'0' || c > L'9')) return std::nullopt;
    ascii += static_cast<char>(c);
  }
  // The default rounding mode takes halves to the even neighbour.
  return std::llrint(std::stod(ascii));
}

}  // namespace

std::variant<std::int16_t, NoLotFor> ExpectedLotOfCharacters(const StoreContents& store, std::wstring_view typed) {
  if (typed.empty()) return NoLotFor{};
  Numeral numeral;
  for (wchar_t zi : typed) {
    const auto strokes = store.StrokesOf(zi);
    if (!strokes) return NoLotFor{zi};
    const auto last = static_cast<unsigned>(*strokes % kDecimalBase);
    numeral.Add(last == 0 && *strokes != 0 ? 1 : last);
  }
  return numeral.Lot();
}

std::int16_t ExpectedLotOfSums(std::span<const std::wstring, kDiceCasts> typed) {
  Numeral numeral;
  for (const std::wstring& box : typed) {
    const auto sum = WholeSum(box);
    if (!sum || *sum < kSmallestDiceSum) return 0;
    numeral.Add(std::to_string(*sum == kLargestDiceSum ? kTwelveCountsAs : *sum - kSmallestDiceSum));
  }
  return numeral.Lot();
}

}  // namespace soak
