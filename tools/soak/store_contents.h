#pragma once
// The store beside the program, read with plain SQLite and decoded here:
// every lot's text, and each character's smallest stroke count. The soak
// holds the program against this, so it shares none of the program's code
// for reading the store.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace soak {

class StoreContents {
 public:
  // Reads veshalib.mdb in the program directory; throws remote::Failure
  // when it cannot, or when it holds no lots or no characters.
  explicit StoreContents(const std::wstring& appPath);

  const std::wstring& TextOf(std::int16_t lot) const;
  // The lot whose text this is, or 0 when no lot's text is.
  std::int16_t LotWithText(const std::wstring& text) const;
  // Every character with a stroke count, in code order.
  const std::vector<wchar_t>& Characters() const { return characters_; }
  std::optional<std::uint64_t> StrokesOf(wchar_t zi) const;

 private:
  std::map<std::int16_t, std::wstring> texts_;
  std::map<std::wstring, std::int16_t> lots_;
  std::map<wchar_t, std::uint64_t> strokes_;
  std::vector<wchar_t> characters_;
};

}  // namespace soak
