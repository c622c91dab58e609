#include "common/codepage.h"

#include <windows.h>

namespace win {

std::optional<std::string> ToCodePage936(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int n = static_cast<int>(text.size());
  BOOL usedDefault = FALSE;
  const int size = ::WideCharToMultiByte(kChineseCodePage, WC_NO_BEST_FIT_CHARS, text.data(), n,
                                         nullptr, 0, nullptr, &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(kChineseCodePage, WC_NO_BEST_FIT_CHARS, text.data(), n, bytes.data(), size,
                        nullptr, nullptr);
  // Best-fit is off, yet a code that decodes to something else is still no
  // exact encoding.
  if (FromCodePage936(bytes) != text) return std::nullopt;
  return bytes;
}

std::wstring FromCodePage936(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(kChineseCodePage, 0, bytes.data(), n, nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring text(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(kChineseCodePage, 0, bytes.data(), n, text.data(), size);
  return text;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return std::string();
  const int n = static_cast<int>(text.size());
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), n, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), n, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::optional<std::wstring> FromUtf8(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  const int n = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::wstring text(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), n, text.data(), size);
  return text;
}

}  // namespace win
