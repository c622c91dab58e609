#pragma once
// Unihan's readings, as a reader of the book's verse judges rhyme and tone:
// each Mandarin reading's rhyme group (the thirteen groups of the 十三辙)
// and tone, and whether the character kept the old entering tone, which
// Cantonese still ends in p, t or k.
#include <filesystem>
#include <map>
#include <optional>

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
  // A character's readings as sets: bit n of tones for tone n (5 is the
  // neutral tone), bit g of rhymes for rhyme group g.
  struct Character {
    unsigned tones = 0;
    unsigned rhymes = 0;
    bool entering = false;
  };
  Character Of(wchar_t c) const;

  std::map<wchar_t, Character> characters_;
};

}  // namespace book
