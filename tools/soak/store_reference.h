#pragma once
// What the program's store holds, read beside the program: every lot's
// text, to hold a shown text against, and the characters it knows, to
// type.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace soak {

class StoreReference {
 public:
  // Reads the store in the program directory; throws when it cannot.
  explicit StoreReference(const std::wstring& appPath);

  const std::wstring& TextOf(std::int16_t lot) const;
  // The lot whose text this is, or 0 when no lot's text is.
  std::int16_t LotWithText(const std::wstring& text) const;
  const std::vector<wchar_t>& Characters() const { return characters_; }

 private:
  std::map<std::int16_t, std::wstring> texts_;
  std::map<std::wstring, std::int16_t> lots_;
  std::vector<wchar_t> characters_;
};

}  // namespace soak
