#pragma once
// The character test: each typed character's smallest stroke count from
// the store's character table, and the lot their digits make.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace oracle {

// Why typed characters give no lot; zi is the character concerned.
struct CharacterRefusal {
  enum Reason { NoCharacters, StoreUnreadable, CharacterMissing, StrokeCountUnreadable } why;
  wchar_t zi = 0;

  bool operator==(const CharacterRefusal&) const = default;
};

std::variant<std::int16_t, CharacterRefusal> LotOfCharacters(const std::wstring& appPath,
                                                              std::wstring_view characters);

}  // namespace oracle
