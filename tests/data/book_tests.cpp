// The oracle book: the hexagram table and the 384 lot texts the store is
// built from.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "oracle/oracle_text.h"
#include "tools/hexagram_table.h"
#include "tools/lot_source.h"

using tools::Hexagram;

namespace {

constexpr int kLots = 384;
const std::set<std::wstring> kGrades = {L"上签", L"中签", L"下签"};
const std::set<std::wstring> kAspects = {L"家宅", L"婚姻", L"求财", L"事业",
                                         L"出行", L"疾病", L"诉讼", L"失物"};
constexpr size_t kVerseLines = 4;
constexpr size_t kVerseLineLength = 7;
constexpr size_t kMinAspects = 5;
constexpr size_t kMinExplanation = 80;
constexpr size_t kMaxExplanation = 300;

std::vector<Hexagram> Table() {
  auto table = tools::ReadHexagramTable(VESHA_DATA_DIR L"/hexagrams.txt");
  return table.value_or(std::vector<Hexagram>{});
}

std::vector<std::wstring> Split(const std::wstring& s, std::wstring_view sep) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (size_t at; (at = s.find(sep, start)) != std::wstring::npos; start = at + sep.size())
    parts.push_back(s.substr(start, at - start));
  parts.push_back(s.substr(start));
  return parts;
}

bool IsIdeograph(wchar_t c) { return c >= 0x4E00 && c <= 0x9FFF; }

std::array<bool, 6> Reversed(const std::array<bool, 6>& l) { return {l[5], l[4], l[3], l[2], l[1], l[0]}; }
std::array<bool, 6> Inverted(std::array<bool, 6> l) {
  for (bool& b : l) b = !b;
  return l;
}

TEST(HexagramTable, SixtyFourDistinctPatternsPairedInTheReceivedOrder) {
  const auto table = Table();
  ASSERT_EQ(table.size(), static_cast<size_t>(tools::kHexagramCount));
  std::set<std::array<bool, 6>> patterns;
  std::set<std::wstring> names;
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].number, static_cast<int>(i) + 1);
    patterns.insert(table[i].solid);
    names.insert(table[i].name);
  }
  EXPECT_EQ(patterns.size(), 64u);
  EXPECT_EQ(names.size(), 64u);
  // Each even-numbered hexagram is its predecessor upside down, or, where
  // that changes nothing, its predecessor with every line inverted.
  for (size_t i = 1; i < table.size(); i += 2) {
    const auto& before = table[i - 1].solid;
    const auto expected = Reversed(before) == before ? Inverted(before) : Reversed(before);
    EXPECT_EQ(table[i].solid, expected) << table[i].number;
  }
  EXPECT_EQ(table.front().name, L"乾");
  EXPECT_EQ(table.back().name, L"未济");
}

TEST(HexagramTable, LineNamesAndNumbers) {
  const auto table = Table();
  ASSERT_EQ(table.size(), 64u);
  EXPECT_EQ(tools::LineName(table[0], 1), L"初九");
  EXPECT_EQ(tools::LineName(table[0], 5), L"九五");
  EXPECT_EQ(tools::LineName(table[1], 6), L"上六");
  EXPECT_EQ(tools::LineName(table[63], 2), L"九二");
  EXPECT_EQ(tools::LineName(table[63], 3), L"六三");
  EXPECT_EQ(tools::ChineseNumber(1), L"一");
  EXPECT_EQ(tools::ChineseNumber(10), L"十");
  EXPECT_EQ(tools::ChineseNumber(11), L"十一");
  EXPECT_EQ(tools::ChineseNumber(20), L"二十");
  EXPECT_EQ(tools::ChineseNumber(100), L"一百");
  EXPECT_EQ(tools::ChineseNumber(105), L"一百零五");
  EXPECT_EQ(tools::ChineseNumber(110), L"一百一十");
  EXPECT_EQ(tools::ChineseNumber(384), L"三百八十四");
}

class Book : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tools::LotSourceError error;
    ok_ = tools::ReadLotFolder(VESHA_DATA_DIR L"/lots", texts_, error);
  }
  static inline tools::LotTexts texts_;
  static inline bool ok_ = false;
};

TEST_F(Book, HoldsLotsOneTo384) {
  ASSERT_TRUE(ok_);
  ASSERT_EQ(texts_.size(), static_cast<size_t>(kLots));
  EXPECT_EQ(texts_.begin()->first, 1);
  EXPECT_EQ(texts_.rbegin()->first, kLots);
}

TEST_F(Book, EveryLotIsLaidOutAndTitledByTheTable) {
  const auto table = Table();
  ASSERT_EQ(table.size(), 64u);
  std::map<std::wstring, int> grades;
  for (const auto& [n, text] : texts_) {
    SCOPED_TRACE("lot " + std::to_string(n));
    const auto lines = Split(text, L"\r\n");
    ASSERT_GE(lines.size(), 2 + kVerseLines + 1 + 1 + kMinAspects);
    for (const auto& l : lines) EXPECT_FALSE(l.empty()) << "no blank lines";

    const auto title = Split(lines[0], L"\u3000");
    ASSERT_EQ(title.size(), 4u) << "number, hexagram, line, grade";
    const Hexagram& h = table[static_cast<size_t>((n - 1) / 6)];
    EXPECT_EQ(title[0], L"第" + tools::ChineseNumber(n) + L"签");
    EXPECT_EQ(title[1], h.name);
    EXPECT_EQ(title[2], tools::LineName(h, (n - 1) % 6 + 1));
    EXPECT_TRUE(kGrades.count(title[3]));
    ++grades[title[3]];

    EXPECT_EQ(lines[1], L"抽签");
    for (size_t i = 2; i < 2 + kVerseLines; ++i) {
      EXPECT_EQ(lines[i].size(), kVerseLineLength) << lines[i].size();
      for (wchar_t c : lines[i]) EXPECT_TRUE(IsIdeograph(c)) << "no punctuation in a verse";
    }
    EXPECT_EQ(lines[6], L"签释");

    size_t length = lines[7].size();
    EXPECT_EQ(lines[7].find(L'：'), std::wstring::npos) << "the meaning comes first";
    std::set<std::wstring> aspects;
    for (size_t i = 8; i < lines.size(); ++i) {
      const size_t colon = lines[i].find(L'：');
      ASSERT_NE(colon, std::wstring::npos) << "counsel: an aspect and a colon";
      const std::wstring aspect = lines[i].substr(0, colon);
      EXPECT_TRUE(kAspects.count(aspect));
      EXPECT_TRUE(aspects.insert(aspect).second) << "an aspect once";
      length += lines[i].size();
    }
    EXPECT_GE(aspects.size(), kMinAspects);
    EXPECT_GE(length, kMinExplanation);
    EXPECT_LE(length, kMaxExplanation);
  }
  std::printf("grades: 上签 %d, 中签 %d, 下签 %d\n", grades[L"上签"], grades[L"中签"], grades[L"下签"]);
  for (const auto& g : kGrades) EXPECT_GT(grades[g], kLots / 10) << "a sensible spread";
}

TEST_F(Book, VersesLinesAndExplanationsAreNeverRepeated) {
  std::map<std::wstring, int> verses, verseLines, explanations, meanings;
  for (const auto& [n, text] : texts_) {
    const auto lines = Split(text, L"\r\n");
    if (lines.size() < 8) continue;  // the layout test reports it
    std::wstring verse, explanation;
    for (size_t i = 2; i < 6; ++i) {
      verse += lines[i];
      const auto [at, fresh] = verseLines.emplace(lines[i], n);
      EXPECT_TRUE(fresh) << "lot " << n << " repeats a verse line of lot " << at->second;
    }
    for (size_t i = 7; i < lines.size(); ++i) explanation += lines[i];
    EXPECT_TRUE(verses.emplace(verse, n).second) << "lot " << n;
    EXPECT_TRUE(explanations.emplace(explanation, n).second) << "lot " << n;
    const auto [at, fresh] = meanings.emplace(lines[7], n);
    EXPECT_TRUE(fresh) << "lot " << n << " explains as lot " << at->second;
  }
}

TEST_F(Book, EveryTextSurvivesTheStore) {
  for (const auto& [n, text] : texts_) {
    const auto stored = oracle::ScrambleOracleText(text, oracle::kTextKey);
    ASSERT_TRUE(stored.has_value()) << "lot " << n;
    EXPECT_EQ(oracle::DecodeOracleText(*stored, oracle::kTextKey), text) << "lot " << n;
  }
}

}  // namespace
