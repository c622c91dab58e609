#pragma once
// Unihan's readings, as a reader of the book's verse judges rhyme and tone:
// each Mandarin reading's rhyme group (the thirteen groups of the 十三辙)
// and tone, and whether the character kept the old entering tone, which
// Cantonese still ends in p, t or k.
#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace book {

class Readings {
 public:
  // The extract of Unihan's kMandarin and kCantonese lines; nothing when it
  // cannot be read.
  static std::optional<Readings> Read(const std::filesystem::path& file);

  // A level tone: the first or second Mandarin tone, not an entering one.
  bool Level(wchar_t c) const;
  // An oblique tone: the third or fourth Mandarin tone, or an entering one.
  bool Oblique(wchar_t c) const;
  bool Rhyme(wchar_t a, wchar_t b) const;

 private:
  struct Syllable {
    int rhyme;  // the group's index, or none for a final no group holds
    int tone;   // 1 to 4, 5 for the neutral tone
  };
  bool HasTone(wchar_t c, int first, int last) const;

  std::map<wchar_t, std::vector<Syllable>> mandarin_;
  std::set<wchar_t> entering_;
};

}  // namespace book
