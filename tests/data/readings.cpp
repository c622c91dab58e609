#include "book/readings.h"

#include <array>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "common/codepage.h"

namespace book {
namespace {

constexpr int kNeutralTone = 5;
constexpr int kHex = 16;
constexpr unsigned kLastBmpCodePoint = 0xFFFF;

// The vowels with their tone marks, in tone order.
constexpr std::pair<wchar_t, std::wstring_view> kMarkedVowels[] = {
    {L'a', L"āáǎà"}, {L'e', L"ēéěè"}, {L'i', L"īíǐì"}, {L'o', L"ōóǒò"}, {L'u', L"ūúǔù"}, {L'ü', L"ǖǘǚǜ"},
};

// The 十三辙, each with the finals that rhyme in it.
constexpr std::array<std::array<std::wstring_view, 5>, 13> kRhymeGroups = {{
    {L"a", L"ia", L"ua"},
    {L"o", L"uo", L"e"},
    {L"ie", L"üe", L"ê"},
    {L"i", L"ü", L"-i", L"er"},
    {L"u"},
    {L"ai", L"uai"},
    {L"ei", L"ui", L"uei"},
    {L"ao", L"iao"},
    {L"ou", L"iu", L"iou"},
    {L"an", L"ian", L"uan", L"üan"},
    {L"en", L"in", L"un", L"uen", L"ün"},
    {L"ang", L"iang", L"uang"},
    {L"eng", L"ing", L"ong", L"iong", L"ueng"},
}};

constexpr std::wstring_view kInitials[] = {L"zh", L"ch", L"sh", L"b", L"p", L"m", L"f", L"d", L"t", L"n", L"l",
                                            L"g",  L"k",  L"h",  L"j", L"q", L"x", L"r", L"z", L"c", L"s"};

// The syllable without its tone mark, and the tone.
std::pair<std::wstring, int> Untoned(std::wstring_view pinyin) {
  std::wstring plain;
  int tone = kNeutralTone;
  for (const wchar_t c : pinyin) {
    wchar_t base = c;
    for (const auto& [vowel, marked] : kMarkedVowels) {
      if (const size_t at = marked.find(c); at != std::wstring_view::npos) {
        base = vowel;
        tone = static_cast<int>(at) + 1;
      }
    }
    plain += base;
  }
  return {plain, tone};
}

// The final as the rhyme tables write it: y and w spelled out, u after
// j, q and x read as ü, and the buzzed i after the sibilants kept apart.
std::wstring FinalOf(std::wstring_view s) {
  if (s.starts_with(L'y')) {
    const std::wstring_view rest = s.substr(1);
    if (rest.starts_with(L'u')) return L"ü" + std::wstring(rest.substr(1));
    if (rest.starts_with(L'i')) return std::wstring(rest);
    return L"i" + std::wstring(rest);
  }
  if (s.starts_with(L'w')) {
    const std::wstring_view rest = s.substr(1);
    return rest.starts_with(L'u') ? std::wstring(rest) : L"u" + std::wstring(rest);
  }
  for (const std::wstring_view initial : kInitials) {
    if (!s.starts_with(initial)) continue;
    std::wstring final(s.substr(initial.size()));
    const bool palatal = initial == L"j" || initial == L"q" || initial == L"x";
    if (palatal && final.starts_with(L'u')) final[0] = L'ü';
    const bool sibilant = initial == L"zh" || initial == L"ch" || initial == L"sh" || initial == L"r" ||
                          initial == L"z" || initial == L"c" || initial == L"s";
    if (sibilant && final == L"i") final = L"-i";
    return final;
  }
  return std::wstring(s);
}

int RhymeGroupOf(std::wstring_view final) {
  for (size_t g = 0; g < kRhymeGroups.size(); ++g)
    for (const std::wstring_view f : kRhymeGroups[g])
      if (!f.empty() && f == final) return static_cast<int>(g);
  return kNoRhyme;
}

}  // namespace

std::optional<Readings> Readings::Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  const auto text = win::FromUtf8(bytes);
  if (!text) return std::nullopt;
  Readings readings;
  std::wstring_view rest = *text;
  while (!rest.empty()) {
    const size_t nl = rest.find(L'\n');
    const std::wstring_view line = rest.substr(0, nl);
    rest.remove_prefix(nl == std::wstring_view::npos ? rest.size() : nl + 1);
    const size_t tab1 = line.find(L'\t');
    const size_t tab2 = tab1 == std::wstring_view::npos ? tab1 : line.find(L'\t', tab1 + 1);
    if (!line.starts_with(L"U+") || tab2 == std::wstring_view::npos) continue;
    const std::string hex = win::ToUtf8(line.substr(2, tab1 - 2));
    unsigned code = 0;
    if (std::from_chars(hex.data(), hex.data() + hex.size(), code, kHex).ec != std::errc() ||
        code > kLastBmpCodePoint)
      continue;
    const std::string field = win::ToUtf8(line.substr(tab1 + 1, tab2 - tab1 - 1));
    readings.Add(static_cast<wchar_t>(code), field, line.substr(tab2 + 1));
  }
  return readings;
}

void Readings::Add(wchar_t c, std::string_view field, std::wstring_view values) {
  while (!values.empty()) {
    const size_t sp = values.find(L' ');
    std::wstring_view v = values.substr(0, sp);
    values.remove_prefix(sp == std::wstring_view::npos ? values.size() : sp + 1);
    if (!v.empty() && v.back() == L'\r') v.remove_suffix(1);
    if (v.empty()) continue;
    if (field == "kMandarin") {
      const auto [plain, tone] = Untoned(v);
      mandarin_[c].push_back({RhymeGroupOf(FinalOf(plain)), tone});
    } else if (field == "kCantonese" && v.size() >= 2) {
      // Jyutping: the final's last letter stands before the tone digit.
      const wchar_t last = v[v.size() - 2];
      if (last == L'p' || last == L't' || last == L'k') entering_.insert(c);
    }
  }
}

std::vector<Syllable> Readings::Mandarin(wchar_t c) const {
  const auto it = mandarin_.find(c);
  return it == mandarin_.end() ? std::vector<Syllable>{} : it->second;
}

bool Readings::Level(wchar_t c) const {
  if (Entering(c)) return false;
  for (const Syllable& s : Mandarin(c))
    if (s.tone == 1 || s.tone == 2) return true;
  return false;
}

bool Readings::Oblique(wchar_t c) const {
  if (Entering(c)) return true;
  for (const Syllable& s : Mandarin(c))
    if (s.tone == 3 || s.tone == 4) return true;
  return false;
}

bool Readings::Rhyme(wchar_t a, wchar_t b) const {
  for (const Syllable& x : Mandarin(a))
    for (const Syllable& y : Mandarin(b))
      if (x.rhyme != kNoRhyme && x.rhyme == y.rhyme) return true;
  return false;
}

}  // namespace book
