// Scrambled oracle texts.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "oracle/oracle_text.h"

using oracle::DecodeOracleText;
using oracle::kTextKey;
using oracle::ScrambleOracleText;

namespace {

constexpr unsigned kEuroByte = 0x80;

// Every character that code page 936 encodes: the single bytes below 0x80
// and each lead and trail byte pair that decodes and encodes back exactly.
std::wstring AllCodePage936Characters() {
  std::wstring all;
  for (unsigned b = 0; b < kEuroByte; ++b) all += static_cast<wchar_t>(b);
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::wstring c = win::FromCodePage936(std::string_view(bytes, 2));
      if (c.size() != 1) continue;
      const auto back = win::ToCodePage936(c);
      if (back && *back == std::string(bytes, 2)) all += c;
    }
  }
  return all;
}

// Among them those whose scrambled code is no character: 有 is 0xD3D0,
// and its trail byte 0xD0 becomes 0xFF.
TEST(OracleText, EveryCodePage936CharacterRoundTrips) {
  const std::wstring all = AllCodePage936Characters();
  ASSERT_GT(all.size(), 21000u);
  const auto stored = ScrambleOracleText(all, kTextKey);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(DecodeOracleText(*stored, kTextKey), all);
}

TEST(OracleText, EmptyAndOneCharacter) {
  EXPECT_EQ(DecodeOracleText("", kTextKey), L"");
  EXPECT_EQ(ScrambleOracleText(L"", kTextKey), std::string());
  // One single-byte character: its code exclusive-or the key.
  EXPECT_EQ(DecodeOracleText("A", kTextKey), std::wstring(1, static_cast<wchar_t>('A' ^ kTextKey)));
  // One double-byte character: the trail byte changes, the lead byte stays.
  const std::string stored = "\xB0\xA1";  // 啊 scrambled
  const char plain[2] = {'\xB0', static_cast<char>(0xA1 ^ kTextKey)};
  EXPECT_EQ(DecodeOracleText(stored, kTextKey), win::FromCodePage936(std::string_view(plain, 2)));
}

TEST(OracleText, StoredCodesAreReversedAndDoubleBytesHighFirst) {
  const auto stored = ScrambleOracleText(L"a啊", kTextKey);
  ASSERT_TRUE(stored.has_value());
  const std::string expected = {'\xB0', static_cast<char>(0xA1 ^ kTextKey),
                                static_cast<char>('a' ^ kTextKey)};
  EXPECT_EQ(*stored, expected);
  EXPECT_EQ(oracle::SplitCodes(expected),
            (oracle::OracleCodes{0xB0A1 ^ kTextKey, 'a' ^ kTextKey}));
}

TEST(OracleText, RefusesWhatItCannotHold) {
  size_t unheld = 99;
  // The euro sign is the single byte 0x80, which the key turns into a lead byte.
  EXPECT_FALSE(ScrambleOracleText(L"好€", kTextKey, &unheld).has_value());
  EXPECT_EQ(unheld, 1u);
  EXPECT_FALSE(ScrambleOracleText(L"ok\uD55C", kTextKey, &unheld).has_value());  // Hangul: no code
  EXPECT_EQ(unheld, 2u);
  EXPECT_FALSE(ScrambleOracleText(L"\U0001F600", kTextKey, &unheld).has_value());
  EXPECT_EQ(unheld, 0u);
}

}  // namespace
