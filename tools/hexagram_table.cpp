#include "tools/hexagram_table.h"

#include <fstream>
#include <sstream>

#include "common/codepage.h"

namespace tools {
namespace {

constexpr wchar_t kDigits[] = L"零一二三四五六七八九";
constexpr wchar_t kPlaces[] = L"初二三四五上";

}  // namespace

std::optional<std::vector<Hexagram>> ReadHexagramTable(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open()) return std::nullopt;
  std::vector<Hexagram> table;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Hexagram h{};
    std::string name, bits;
    if (!(fields >> h.number >> name >> h.pinyin >> bits) || bits.size() != kLinesPerHexagram)
      return std::nullopt;
    const auto wide = win::FromUtf8(name);
    if (!wide) return std::nullopt;
    h.name = *wide;
    for (int i = 0; i < kLinesPerHexagram; ++i) {
      if (bits[i] != '0' && bits[i] != '1') return std::nullopt;
      h.solid[i] = bits[i] == '1';
    }
    table.push_back(std::move(h));
  }
  return table;
}

std::wstring LineName(const Hexagram& h, int position) {
  const wchar_t kind = h.solid[position - 1] ? L'九' : L'六';
  const wchar_t place = kPlaces[position - 1];
  if (position == 1 || position == kLinesPerHexagram) return {place, kind};
  return {kind, place};
}

std::wstring ChineseNumber(int n) {
  const int hundreds = n / 100, tens = n / 10 % 10, units = n % 10;
  std::wstring s;
  if (hundreds) s += std::wstring{kDigits[hundreds], L'百'};
  if (tens) {
    // 十一, not 一十一; but 一百一十一.
    if (hundreds || tens > 1) s += kDigits[tens];
    s += L'十';
  } else if (hundreds && units) {
    s += L'零';
  }
  if (units) s += kDigits[units];
  return s;
}

}  // namespace tools
