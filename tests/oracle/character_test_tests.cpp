// The character test's rule against small stores and the shipped one.
#include <gtest/gtest.h>
#include <string>
#include <variant>
#include <vector>

#include "oracle/character_test.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

namespace {

using oracle::CharacterRefusal;
using oracle::LotOfCharacters;
using Outcome = std::variant<std::int16_t, CharacterRefusal>;

// Stroke counts chosen for the worked examples, not the real ones; the
// arithmetic of the digits is tested with the other lot rules.
const std::vector<testing_support::StoreChar> kChars = {
    {L"甲", L"7"},   {L"乙", L"12"},  {L"丙", L"10"},  {L"丁", L"3"},  {L"壬", L"15"},
    {L"壬", L"9"},   {L"'", L"5"},    {L"\\", L"4"}, {L"坏", L"ten"}, {L"半", L"1.5"},
    {L"巨", L"99999999999999999999"},
};

class CharacterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(testing_support::WriteStore(dir.File(L"veshalib.mdb"), {}, kChars)); }
  Outcome Lot(std::wstring_view characters) const { return LotOfCharacters(dir.AppPath(), characters); }

  testing_support::TempDir dir;
};

TEST_F(CharacterTest, EachCharactersSmallestCountGivesADigitOfTheLot) {
  struct Case {
    const wchar_t* characters;
    std::int16_t lot;
  };
  for (const Case& c : {Case{L"甲乙丙", 337}, Case{L"壬", 9}, Case{L"壬壬壬", 231}, Case{L"'\\丁", 159}}) {
    EXPECT_EQ(Lot(c.characters), Outcome(c.lot)) << c.characters;
  }
}

TEST_F(CharacterTest, RefusalsNameTheFirstCharacterConcerned) {
  struct Case {
    const wchar_t* characters;
    CharacterRefusal refusal;
  };
  for (const Case& c : {Case{L"", {CharacterRefusal::NoCharacters}},
                        Case{L"甲子丑", {CharacterRefusal::CharacterMissing, L'子'}},
                        Case{L"甲a", {CharacterRefusal::CharacterMissing, L'a'}},
                        Case{L"坏甲", {CharacterRefusal::StrokeCountUnreadable, L'坏'}},
                        Case{L"半", {CharacterRefusal::StrokeCountUnreadable, L'半'}},
                        Case{L"巨", {CharacterRefusal::StrokeCountUnreadable, L'巨'}}}) {
    EXPECT_EQ(Lot(c.characters), Outcome(c.refusal)) << c.characters;
  }
}

// Quotes and backslashes are values, not SQL: missing, they are
// characters the table lacks.
TEST_F(CharacterTest, QuotesAndBackslashesAreLookedUpLiterally) {
  ASSERT_TRUE(testing_support::ExecOnStore(dir.File(L"veshalib.mdb"), "DELETE FROM hanzi WHERE Zi IN ('''', '\\')"));
  EXPECT_EQ(Lot(L"甲'"), Outcome(CharacterRefusal{CharacterRefusal::CharacterMissing, L'\''}));
  EXPECT_EQ(Lot(L"甲\\"), Outcome(CharacterRefusal{CharacterRefusal::CharacterMissing, L'\\'}));
}

// Unihan's counts: 大 3, 我 7, 是 9, 国 8, 中 4, 一 1, 人 2, 小 3, 山 3.
TEST(CharacterTestShippedStore, CommonCharactersGiveThePredictedLots) {
  struct Case {
    const wchar_t* characters;
    std::int16_t lot;
  };
  for (const Case& c : {Case{L"大我是", 379}, Case{L"大国一", 381}, Case{L"山国人", 382}, Case{L"大国小", 383},
                        Case{L"大国中", 384}, Case{L"一", 1}}) {
    EXPECT_EQ(LotOfCharacters(VESHA_BIN_DIR, c.characters), Outcome(c.lot)) << c.characters;
  }
}

}  // namespace
