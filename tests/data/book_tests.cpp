// The oracle book: the hexagram table and the 384 lot texts the store is
// built from, laid out, quoting their lines, in verse that rhymes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "book/readings.h"
#include "common/codepage.h"
#include "tools/hexagram_table.h"
#include "tools/lot_source.h"

using tools::Hexagram;

namespace {

constexpr int kLots = 384;
const std::set<std::wstring> kGrades = {L"上签", L"中签", L"下签"};
// Every lot answers these questions, in this order.
const std::vector<std::wstring> kTopics = {L"家宅", L"婚姻", L"求财", L"事业", L"功名",
                                           L"出行", L"疾病", L"诉讼", L"失物", L"行人"};
constexpr size_t kVerseLines = 4;
constexpr size_t kVerseLineLength = 7;
constexpr size_t kMinExplanation = 80;
constexpr size_t kMaxExplanation = 160;
// The lines of a lot: title, quoted line, "抽签", the verse, "签释", the
// explanation, then one line a topic.
constexpr size_t kQuoteLine = 1;
constexpr size_t kDrawHeading = 2;
constexpr size_t kFirstVerseLine = 3;
constexpr size_t kExplainHeading = kFirstVerseLine + kVerseLines;
constexpr size_t kExplanation = kExplainHeading + 1;
constexpr size_t kFirstTopic = kExplanation + 1;
// An opening is an explanation's first three characters; none may open
// more than a quarter of the lots.
constexpr size_t kOpeningLength = 3;
constexpr int kMostLotsPerOpening = 384 / 4;

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

// A hexagram's full name: the images of its upper and lower trigrams and
// its name (水雷屯), or, when both trigrams are one, name 为 image (乾为天).
std::wstring FullName(const Hexagram& h) {
  struct Trigram {
    std::array<bool, 3> solid;  // from the bottom line up
    const wchar_t* name;
    const wchar_t* image;
  };
  static const Trigram kTrigrams[] = {
      {{true, true, true}, L"乾", L"天"},    {{true, true, false}, L"兑", L"泽"},
      {{true, false, true}, L"离", L"火"},   {{true, false, false}, L"震", L"雷"},
      {{false, true, true}, L"巽", L"风"},   {{false, true, false}, L"坎", L"水"},
      {{false, false, true}, L"艮", L"山"},  {{false, false, false}, L"坤", L"地"},
  };
  const auto trigram = [&](size_t first) -> const Trigram& {
    for (const Trigram& t : kTrigrams)
      if (t.solid == std::array<bool, 3>{h.solid[first], h.solid[first + 1], h.solid[first + 2]}) return t;
    throw std::logic_error("every three lines are a trigram");
  };
  const Trigram& lower = trigram(0);
  const Trigram& upper = trigram(3);
  if (&lower == &upper) return std::wstring(lower.name) + L"为" + lower.image;
  return std::wstring(upper.image) + lower.image + h.name;
}

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
  struct Line {
    size_t hexagram;
    int line;
    const wchar_t* name;
  };
  for (const Line& l : {Line{0, 1, L"初九"}, Line{0, 5, L"九五"}, Line{1, 6, L"上六"}, Line{63, 2, L"九二"},
                        Line{63, 3, L"六三"}}) {
    EXPECT_EQ(tools::LineName(table[l.hexagram], l.line), l.name) << l.hexagram << " " << l.line;
  }
  for (const auto& [n, name] : {std::pair{1, L"一"}, std::pair{10, L"十"}, std::pair{11, L"十一"}, std::pair{20, L"二十"},
                                std::pair{100, L"一百"}, std::pair{105, L"一百零五"}, std::pair{110, L"一百一十"},
                                std::pair{384, L"三百八十四"}}) {
    EXPECT_EQ(tools::ChineseNumber(n), name) << n;
  }
}

class Book : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tools::LotSourceError error;
    ok_ = tools::ReadLotFolder(VESHA_DATA_DIR L"/lots", texts_, error);
    for (const auto& [n, text] : texts_) lines_[n] = Split(text, L"\r\n");
  }
  // The lots whose layout the layout test passes; the others it reports.
  static std::map<int, std::vector<std::wstring>> LaidOut() {
    std::map<int, std::vector<std::wstring>> laidOut;
    for (const auto& [n, lines] : lines_)
      if (lines.size() == kFirstTopic + kTopics.size()) laidOut[n] = lines;
    return laidOut;
  }
  static inline tools::LotTexts texts_;
  static inline std::map<int, std::vector<std::wstring>> lines_;
  static inline bool ok_ = false;
};

TEST_F(Book, HoldsLotsOneTo384) {
  ASSERT_TRUE(ok_);
  ASSERT_EQ(texts_.size(), static_cast<size_t>(kLots));
  EXPECT_EQ(texts_.begin()->first, 1);
  EXPECT_EQ(texts_.rbegin()->first, kLots);
}

TEST_F(Book, EveryLotIsTitledQuotesItsLineAndAnswersEveryTopicInOrder) {
  const auto table = Table();
  ASSERT_EQ(table.size(), 64u);
  std::map<std::wstring, int> grades;
  for (const auto& [n, lines] : lines_) {
    SCOPED_TRACE("lot " + std::to_string(n));
    ASSERT_EQ(lines.size(), kFirstTopic + kTopics.size());
    for (const auto& l : lines) EXPECT_FALSE(l.empty()) << "no blank lines";

    const auto title = Split(lines[0], L"\u3000");
    ASSERT_EQ(title.size(), 4u) << "number, hexagram, line, grade";
    const Hexagram& h = table[static_cast<size_t>((n - 1) / 6)];
    const std::wstring line = tools::LineName(h, (n - 1) % 6 + 1);
    EXPECT_EQ(title[0], L"第" + tools::ChineseNumber(n) + L"签");
    EXPECT_EQ(title[1], h.name);
    EXPECT_EQ(title[2], line);
    EXPECT_TRUE(kGrades.count(title[3]));
    ++grades[title[3]];

    const std::wstring quoted = FullName(h) + L"\u3000" + line + L"：";
    EXPECT_TRUE(lines[kQuoteLine].starts_with(quoted)) << "the line is quoted after " << win::ToUtf8(quoted);
    EXPECT_GT(lines[kQuoteLine].size(), quoted.size() + 1) << "with its text";
    EXPECT_TRUE(lines[kQuoteLine].ends_with(L"。"));

    EXPECT_EQ(lines[kDrawHeading], L"抽签");
    for (size_t i = kFirstVerseLine; i < kExplainHeading; ++i) {
      EXPECT_EQ(lines[i].size(), kVerseLineLength) << lines[i].size();
      for (wchar_t c : lines[i]) EXPECT_TRUE(IsIdeograph(c)) << "no punctuation in a verse";
    }
    EXPECT_EQ(lines[kExplainHeading], L"签释");

    const std::wstring& explanation = lines[kExplanation];
    EXPECT_GE(explanation.size(), kMinExplanation);
    EXPECT_LE(explanation.size(), kMaxExplanation);
    for (size_t i = 0; i < kTopics.size(); ++i) {
      const std::wstring& answer = lines[kFirstTopic + i];
      EXPECT_TRUE(answer.starts_with(kTopics[i] + L"：")) << "topic " << i + 1 << " is " << win::ToUtf8(kTopics[i]);
      EXPECT_GT(answer.size(), kTopics[i].size() + 1) << "and is answered";
    }
  }
  for (const auto& g : kGrades) EXPECT_GT(grades[g], kLots / 10) << "a sensible spread";
}

// The judge of the verse: rhyme groups across spellings (y-, w-, ü after
// j q x), the four tones, and the entering tone Mandarin lost.
TEST(VerseReadings, KnowRhymesTonesAndTheEnteringTone) {
  const auto readings = book::Readings::Read(VESHA_READINGS);
  ASSERT_TRUE(readings) << "the build extracts Unihan's readings";
  EXPECT_TRUE(readings->Rhyme(L'头', L'楼'));
  EXPECT_TRUE(readings->Rhyme(L'间', L'关'));
  EXPECT_TRUE(readings->Rhyme(L'渊', L'天')) << "yuan and tian";
  EXPECT_TRUE(readings->Rhyme(L'云', L'春')) << "yun and chun";
  EXPECT_TRUE(readings->Rhyme(L'居', L'衣')) << "ju and yi";
  EXPECT_FALSE(readings->Rhyme(L'诗', L'山'));
  EXPECT_FALSE(readings->Rhyme(L'门', L'声')) << "en and eng";
  EXPECT_TRUE(readings->Level(L'天'));
  EXPECT_TRUE(readings->Level(L'头'));
  EXPECT_FALSE(readings->Level(L'国')) << "an entering tone, though Mandarin reads it rising";
  EXPECT_TRUE(readings->Oblique(L'国'));
  EXPECT_TRUE(readings->Oblique(L'至'));
  EXPECT_FALSE(readings->Oblique(L'楼'));
}

// Lines 2 and 4 rhyme on a level tone, line 1 rhymes with them on a level
// tone or ends oblique, line 3 ends oblique: by Unihan's readings.
TEST_F(Book, EveryVerseRhymesAndKeepsItsTones) {
  const auto readings = book::Readings::Read(VESHA_READINGS);
  ASSERT_TRUE(readings) << "the build extracts Unihan's readings";
  for (const auto& [n, lines] : LaidOut()) {
    SCOPED_TRACE("lot " + std::to_string(n));
    std::array<wchar_t, kVerseLines> end{};
    for (size_t i = 0; i < kVerseLines; ++i) end[i] = lines[kFirstVerseLine + i].back();
    const bool keeps = readings->Rhyme(end[1], end[3]) && readings->Level(end[1]) && readings->Level(end[3]) &&
                       readings->Oblique(end[2]) &&
                       (readings->Oblique(end[0]) || (readings->Level(end[0]) && readings->Rhyme(end[0], end[1])));
    EXPECT_TRUE(keeps) << "the verse ends on " << win::ToUtf8(std::wstring(end.begin(), end.end()));
  }
}

TEST_F(Book, NoOpeningServesMoreThanAQuarterOfTheLots) {
  std::map<std::wstring, int> openings;
  for (const auto& [n, lines] : LaidOut()) ++openings[lines[kExplanation].substr(0, kOpeningLength)];
  const auto commonest = std::max_element(openings.begin(), openings.end(),
                                          [](const auto& a, const auto& b) { return a.second < b.second; });
  ASSERT_NE(commonest, openings.end());
  EXPECT_LE(commonest->second, kMostLotsPerOpening) << "the commonest opening, " << win::ToUtf8(commonest->first);
}

TEST_F(Book, VersesLinesAndExplanationsAreNeverRepeated) {
  std::map<std::wstring, int> verses, verseLines, explanations;
  for (const auto& [n, lines] : LaidOut()) {
    std::wstring verse;
    for (size_t i = kFirstVerseLine; i < kExplainHeading; ++i) {
      verse += lines[i];
      const auto [at, fresh] = verseLines.emplace(lines[i], n);
      EXPECT_TRUE(fresh) << "lot " << n << " repeats a verse line of lot " << at->second;
    }
    EXPECT_TRUE(verses.emplace(verse, n).second) << "lot " << n;
    const auto [at, fresh] = explanations.emplace(lines[kExplanation], n);
    EXPECT_TRUE(fresh) << "lot " << n << " explains as lot " << at->second;
  }
}

// The user's guide shows one lot whole, as the book has it.
TEST_F(Book, TheGuidesExampleIsTheBooksLot) {
  std::ifstream in(std::filesystem::path(VESHA_GUIDE), std::ios::binary);
  const std::string guide{std::istreambuf_iterator<char>(in), {}};
  const std::string open = "<pre class=\"lot\">", close = "</pre>";
  const size_t start = guide.find(open);
  ASSERT_NE(start, std::string::npos) << "the guide shows a lot";
  const size_t end = guide.find(close, start);
  ASSERT_NE(end, std::string::npos);
  const auto example = win::FromUtf8(guide.substr(start + open.size(), end - start - open.size()));
  ASSERT_TRUE(example);
  const auto lines = Split(*example, L"\n");
  ASSERT_FALSE(lines.empty());
  const auto lot = std::find_if(lines_.begin(), lines_.end(), [&](const auto& l) { return l.second[0] == lines[0]; });
  ASSERT_TRUE(lot != lines_.end()) << "the example's title is a lot's";
  EXPECT_EQ(lines, lot->second);
}

}  // namespace
