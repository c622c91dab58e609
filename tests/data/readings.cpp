#include "book/readings.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <utility>

#include "common/codepage.h"

namespace book {
namespace {

constexpr int kNeutralTone = 5;
// As sets of tones: the first and second, and the third and fourth.
constexpr unsigned kLevelTones = 1u << 1 | 1u << 2, kObliqueTones = 1u << 3 | 1u << 4;
constexpr unsigned kLastBmpCodePoint = 0xFFFF;

// The vowels with their tone marks, in tone order.
constexpr std::pair<wchar_t, std::wstring_view> kMarkedVowels[] = {
    {L'a', L"āáǎà"}, {L'e', L"ēéěè"}, {L'i', L"īíǐì"}, {L'o', L"ōóǒò"}, {L'u', L"ūúǔù"}, {L'ü', L"ǖǘǚǜ"},
};

// The 十三辙, each with the finals that rhyme in it.
constexpr std::array<std::wstring_view, 13> kRhymeGroups = {
    L" a ia ua ", L" o uo e ", L" ie üe ê ", L" i ü -i er ", L" u ", L" ai uai ", L" ei ui uei ",
    L" ao iao ", L" ou iu iou ", L" an ian uan üan ", L" en in un uen ün ", L" ang iang uang ",
    L" eng ing ong iong ueng "};

// The initials, the two-letter ones first; those that make a u read ü, and
// those after which i is the buzzed -i.
constexpr std::wstring_view kInitials[] = {L"zh", L"ch", L"sh", L"b", L"p", L"m", L"f", L"d", L"t", L"n", L"l",
                                            L"g",  L"k",  L"h",  L"j", L"q", L"x", L"r", L"z", L"c", L"s"};
constexpr std::wstring_view kPalatals = L" j q x ", kSibilants = L" zh ch sh r z c s ";

bool In(std::wstring_view spaced, std::wstring_view word) {
  return spaced.find(L" " + std::wstring(word) + L" ") != std::wstring_view::npos;
}

// The final as the rhyme tables write it: y and w spelled out, u after
// j, q and x read as ü, and the buzzed i after the sibilants kept apart.
std::wstring FinalOf(const std::wstring& s) {
  if (s.starts_with(L"yu")) return L"ü" + s.substr(2);
  if (s.starts_with(L"yi") || s.starts_with(L"wu")) return s.substr(1);
  if (s.starts_with(L'y')) return L"i" + s.substr(1);
  if (s.starts_with(L'w')) return L"u" + s.substr(1);
  for (const std::wstring_view initial : kInitials) {
    if (!s.starts_with(initial)) continue;
    std::wstring final = s.substr(initial.size());
    if (In(kPalatals, initial) && final.starts_with(L'u')) final[0] = L'ü';
    if (In(kSibilants, initial) && final == L"i") final = L"-i";
    return final;
  }
  return s;
}

// A kMandarin reading's tone, and its rhyme group if it has one.
std::pair<int, std::optional<size_t>> ToneAndRhyme(const std::wstring& pinyin) {
  std::wstring plain;
  int tone = kNeutralTone;
  for (const wchar_t c : pinyin) {
    wchar_t base = c;
    for (const auto& [vowel, marked] : kMarkedVowels)
      if (const size_t at = marked.find(c); at != std::wstring_view::npos) {
        base = vowel;
        tone = static_cast<int>(at) + 1;
      }
    plain += base;
  }
  const std::wstring final = FinalOf(plain);
  for (size_t g = 0; g < kRhymeGroups.size(); ++g)
    if (In(kRhymeGroups[g], final)) return {tone, g};
  return {tone, std::nullopt};
}

}  // namespace

std::optional<Readings> Readings::Read(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  Readings readings;
  // Each line: U+XXXX, the field and its readings, tab apart.
  for (std::string line; std::getline(in, line);) {
    unsigned code = 0;
    char field[sizeof "kCantonese"] = {};
    int used = 0;
    if (std::sscanf(line.c_str(), "U+%X\t%10s\t%n", &code, field, &used) != 2 || used == 0 ||
        code > kLastBmpCodePoint)
      continue;
    Character& c = readings.characters_[static_cast<wchar_t>(code)];
    const std::string_view name(field);
    std::wistringstream values(win::FromUtf8(line.substr(static_cast<size_t>(used))).value_or(L""));
    for (std::wstring v; values >> v;) {
      if (name == "kMandarin") {
        const auto [tone, rhyme] = ToneAndRhyme(v);
        c.tones |= 1u << tone;
        if (rhyme) c.rhymes |= 1u << *rhyme;
      }
      // Jyutping: the final's last letter stands before the tone digit.
      if (name == "kCantonese" && v.size() >= 2 && std::wstring_view(L"ptk").find(v[v.size() - 2]) != v.npos)
        c.entering = true;
    }
  }
  return readings;
}

Readings::Character Readings::Of(wchar_t c) const {
  const auto it = characters_.find(c);
  return it == characters_.end() ? Character{} : it->second;
}

bool Readings::Level(wchar_t c) const { return !Of(c).entering && (Of(c).tones & kLevelTones); }

bool Readings::Oblique(wchar_t c) const { return Of(c).entering || (Of(c).tones & kObliqueTones); }

bool Readings::Rhyme(wchar_t a, wchar_t b) const { return (Of(a).rhymes & Of(b).rhymes) != 0; }

}  // namespace book
