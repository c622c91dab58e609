// The character test's rule against a small store and the shipped one.
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

// Each character's smallest count gives a digit of the lot; a refusal names
// the first character concerned. Quotes and backslashes are looked up as
// they are. Stroke counts chosen for the examples, not the real ones.
TEST(CharacterTest, EachCharactersSmallestCountGivesADigitOrTheRefusalNamesIt) {
  testing_support::TempDir dir;
  ASSERT_TRUE(testing_support::WriteStore(dir.File(L"veshalib.mdb"), {},
                                          {{L"甲", L"7"}, {L"乙", L"12"}, {L"丙", L"10"}, {L"丁", L"3"}, {L"壬", L"15"},
                                           {L"壬", L"9"}, {L"'", L"5"}, {L"\\", L"4"}, {L"坏", L"ten"}, {L"半", L"1.5"},
                                           {L"巨", L"99999999999999999999"}}));
  using R = CharacterRefusal;
  for (const auto& [characters, outcome] :
       {std::pair{L"甲乙丙", Outcome{std::int16_t{337}}}, {L"壬", std::int16_t{9}}, {L"壬壬壬", std::int16_t{231}},
        {L"'\\丁", std::int16_t{159}}, {L"", R{R::NoCharacters}}, {L"甲子丑", R{R::CharacterMissing, L'子'}},
        {L"甲a", R{R::CharacterMissing, L'a'}}, {L"坏甲", R{R::StrokeCountUnreadable, L'坏'}},
        {L"半", R{R::StrokeCountUnreadable, L'半'}}, {L"巨", R{R::StrokeCountUnreadable, L'巨'}}})
    EXPECT_EQ(LotOfCharacters(dir.AppPath(), characters), outcome) << characters;
}

// Unihan's counts: 大 3, 我 7, 是 9, 国 8, 中 4, 一 1, 人 2, 小 3, 山 3.
TEST(CharacterTest, CommonCharactersGiveThePredictedLotsFromTheShippedStore) {
  for (const auto& [characters, lot] : {std::pair{L"大我是", 379}, {L"大国一", 381}, {L"山国人", 382},
                                        {L"大国小", 383}, {L"大国中", 384}, {L"一", 1}})
    EXPECT_EQ(LotOfCharacters(VESHA_BIN_DIR, characters), Outcome(static_cast<std::int16_t>(lot))) << characters;
}

}  // namespace
