// Scrambled oracle texts.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage.h"
#include "oracle/oracle_text.h"

using oracle::DecodeOracleText;
using oracle::kTextKey;
using oracle::ScrambleOracleText;

namespace {

// Every character that code page 936 encodes, the single bytes below 0x80
// and each lead and trail byte pair that decodes and encodes back exactly,
// comes back. Among them are those whose scrambled code is no character:
// 有 is 0xD3D0, and its trail byte 0xD0 becomes 0xFF.
TEST(OracleText, EveryCodePage936CharacterRoundTrips) {
  std::wstring all;
  for (unsigned b = 0; b < 0x80; ++b) all += static_cast<wchar_t>(b);
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const std::string bytes = {static_cast<char>(lead), static_cast<char>(trail)};
      const std::wstring c = win::FromCodePage936(bytes);
      if (c.size() == 1 && win::ToCodePage936(c) == bytes) all += c;
    }
  }
  ASSERT_GT(all.size(), 21000u);
  const auto stored = ScrambleOracleText(all, kTextKey);
  ASSERT_TRUE(stored.has_value());
  EXPECT_EQ(DecodeOracleText(*stored, kTextKey), all);
}

// The stored bytes: codes in reverse order, each exclusive-or the key, a
// double-byte code high byte first (so only its trail byte changes).
TEST(OracleText, StoredCodesAreReversedAndDoubleBytesHighFirst) {
  const std::string stored = {'\xB0', static_cast<char>(0xA1 ^ kTextKey), static_cast<char>('a' ^ kTextKey)};
  EXPECT_EQ(ScrambleOracleText(L"a啊", kTextKey), stored);
  EXPECT_EQ(DecodeOracleText(stored, kTextKey), L"a啊");
  EXPECT_EQ(ScrambleOracleText(L"", kTextKey), std::string());
  EXPECT_EQ(DecodeOracleText("", kTextKey), L"");
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
