#pragma once
// Conversions between text and code page 936 bytes. The program converts
// explicitly instead of trusting the system's ANSI code page.
#include <optional>
#include <string>
#include <string_view>

namespace win {

inline constexpr unsigned kChineseCodePage = 936;

// The code page 936 bytes of the text, or nothing when a character has no
// exact encoding there (no best-fit substitutes).
std::optional<std::string> ToCodePage936(std::wstring_view text);

// The text that code page 936 bytes stand for.
std::wstring FromCodePage936(std::string_view bytes);

// UTF-8, for SQLite and for files of the build.
std::string ToUtf8(std::wstring_view text);
// Nothing when the bytes are not valid UTF-8.
std::optional<std::wstring> FromUtf8(std::string_view bytes);

}  // namespace win
