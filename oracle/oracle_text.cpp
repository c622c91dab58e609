#include "oracle/oracle_text.h"


#include "common/codepage.h"

namespace oracle {
namespace {

constexpr unsigned kFirstLeadByte = 0x81;
constexpr unsigned kLastLeadByte = 0xFE;
constexpr unsigned kByteBits = 8;
constexpr unsigned kByteMask = 0xFF;

bool IsLeadByte(unsigned b) { return b >= kFirstLeadByte && b <= kLastLeadByte; }

std::uint16_t Xor(std::uint16_t code, std::int16_t key) {
  // Both taken as signed 16-bit values; on the bits that is a plain XOR.
  return static_cast<std::uint16_t>(code ^ static_cast<std::uint16_t>(key));
}

void AppendCode(std::string& bytes, std::uint16_t code) {
  if (code > kByteMask) bytes += static_cast<char>(code >> kByteBits);
  bytes += static_cast<char>(code & kByteMask);
}

// A code survives being stored if splitting its bytes gives it back.
bool SplitsBack(std::uint16_t code) {
  if (code <= kByteMask) return !IsLeadByte(code);
  return IsLeadByte(code >> kByteBits);
}

}  // namespace

OracleCodes SplitCodes(std::string_view bytes) {
  OracleCodes codes;
  codes.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    if (IsLeadByte(b) && i + 1 < bytes.size()) {
      codes.push_back(static_cast<std::uint16_t>(b << kByteBits |
                                                 static_cast<unsigned char>(bytes[++i])));
    } else {
      codes.push_back(b);
    }
  }
  return codes;
}

OracleCodes ReverseText(const OracleCodes& codes) { return OracleCodes(codes.rbegin(), codes.rend()); }

std::wstring DecodeOracleText(std::string_view stored, std::int16_t key) {
  std::string plain;
  for (std::uint16_t code : ReverseText(SplitCodes(stored))) AppendCode(plain, Xor(code, key));
  return win::FromCodePage936(plain);
}

std::optional<std::string> ScrambleOracleText(std::wstring_view text, std::int16_t key,
                                              size_t* unheld) {
  OracleCodes codes;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto bytes = win::ToCodePage936(text.substr(i, 1));
    std::uint16_t code = 0;
    if (bytes && bytes->size() == 1) {
      code = static_cast<unsigned char>((*bytes)[0]);
    } else if (bytes && bytes->size() == 2) {
      code = static_cast<std::uint16_t>(static_cast<unsigned char>((*bytes)[0]) << kByteBits |
                                        static_cast<unsigned char>((*bytes)[1]));
    }
    if (!bytes || bytes->empty() || bytes->size() > 2 || !SplitsBack(Xor(code, key))) {
      if (unheld) *unheld = i;
      return std::nullopt;
    }
    codes.push_back(Xor(code, key));
  }
  std::string stored;
  for (std::uint16_t code : ReverseText(codes)) AppendCode(stored, code);
  return stored;
}

}  // namespace oracle
