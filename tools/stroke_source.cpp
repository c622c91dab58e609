#include "tools/stroke_source.h"

#include <charconv>
#include <string>

#include "common/codepage.h"

namespace tools {
namespace {

constexpr std::string_view kField = "kTotalStrokes";
constexpr unsigned kLastBmpCodePoint = 0xFFFF;
constexpr size_t kDoubleByte = 2;
constexpr int kHex = 16;

bool IsDoubleByteIn936(wchar_t c) {
  const auto bytes = win::ToCodePage936(std::wstring_view(&c, 1));
  return bytes && bytes->size() == kDoubleByte;
}

}  // namespace

std::vector<StrokeCount> ReadStrokeCounts(std::string_view unihan) {
  std::vector<StrokeCount> counts;
  while (!unihan.empty()) {
    const size_t nl = unihan.find('\n');
    std::string_view line = unihan.substr(0, nl);
    unihan.remove_prefix(nl == std::string_view::npos ? unihan.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    const size_t tab1 = line.find('\t');
    if (line.substr(0, 2) != "U+" || tab1 == std::string_view::npos) continue;
    const size_t tab2 = line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos || line.substr(tab1 + 1, tab2 - tab1 - 1) != kField) continue;

    unsigned code = 0;
    const std::string_view hex = line.substr(2, tab1 - 2);
    if (std::from_chars(hex.data(), hex.data() + hex.size(), code, kHex).ec != std::errc() ||
        code > kLastBmpCodePoint)
      continue;
    const auto c = static_cast<wchar_t>(code);
    if (!IsDoubleByteIn936(c)) continue;

    std::string_view values = line.substr(tab2 + 1);
    while (!values.empty()) {
      const size_t sp = values.find(' ');
      const std::string_view v = values.substr(0, sp);
      values.remove_prefix(sp == std::string_view::npos ? values.size() : sp + 1);
      int strokes = 0;
      if (std::from_chars(v.data(), v.data() + v.size(), strokes).ec == std::errc() && strokes > 0)
        counts.push_back({c, strokes});
    }
  }
  return counts;
}

}  // namespace tools
