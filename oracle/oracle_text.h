#pragma once
// Scrambled oracle texts. The store holds a text as code page 936 codes,
// each combined with the text key by exclusive-or, in reverse order, written
// out as bytes (a double-byte code high byte first). Kept as bytes, not as
// characters: some scrambled codes (trail bytes 0x50 and 0xD0 become 0x7F
// and 0xFF) are no character at all and would be lost.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace oracle {

inline constexpr std::int16_t kTextKey = 47;

using OracleCodes = std::vector<std::uint16_t>;

// Splits stored bytes into codes: a byte from 0x81 to 0xFE begins a
// double-byte code.
OracleCodes SplitCodes(std::string_view bytes);

// The codes in reverse order.
OracleCodes ReverseText(const OracleCodes& codes);

// The text that stored bytes hold: reversed, each code exclusive-or the key.
std::wstring DecodeOracleText(std::string_view stored, std::int16_t key);

// The stored bytes for a text, or nothing when a character cannot be held;
// then *unheld, if given, is the position of the first such character.
std::optional<std::string> ScrambleOracleText(std::wstring_view text, std::int16_t key,
                                              size_t* unheld = nullptr);

}  // namespace oracle
