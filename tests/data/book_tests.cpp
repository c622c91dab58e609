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
#include <string>
#include <tuple>
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
constexpr size_t kVerseLineLength = 7;
constexpr wchar_t kFirstIdeograph = 0x4E00, kLastIdeograph = 0x9FFF;  // the common block, no punctuation
constexpr size_t kMinExplanation = 80, kMaxExplanation = 160;
// The lines of a lot: title, quoted line, "抽签", four lines of verse,
// "签释", the explanation, then one line a topic.
enum : size_t { kQuoteLine = 1, kDrawHeading, kFirstVerseLine, kExplainHeading = kFirstVerseLine + 4, kExplanation,
                kFirstTopic };
// An opening is an explanation's first three characters; none may open
// more than a quarter of the lots.
constexpr size_t kOpeningLength = 3;
constexpr int kMostLotsPerOpening = kLots / 4;

std::vector<Hexagram> Table() {
  return tools::ReadHexagramTable(VESHA_DATA_DIR L"/hexagrams.txt").value_or(std::vector<Hexagram>{});
}

std::vector<std::wstring> Split(const std::wstring& s, std::wstring_view sep) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  for (size_t at; (at = s.find(sep, start)) != std::wstring::npos; start = at + sep.size())
    parts.push_back(s.substr(start, at - start));
  parts.push_back(s.substr(start));
  return parts;
}

// A hexagram's full name: the images of its upper and lower trigrams and
// its name (水雷屯), or, when both trigrams are one, name 为 image (乾为天).
// A trigram's index has its bottom line as the lowest bit.
std::wstring FullName(const Hexagram& h) {
  constexpr std::wstring_view kNames = L"坤震坎兑艮离巽乾", kImages = L"地雷水泽山火风天";
  const auto trigram = [&](size_t bottom) -> size_t {
    return h.solid[bottom] + 2 * h.solid[bottom + 1] + 4 * h.solid[bottom + 2];
  };
  const auto lower = trigram(0), upper = trigram(3);
  if (lower == upper) return std::wstring{kNames[lower], L'为', kImages[lower]};
  return std::wstring{kImages[upper], kImages[lower]} + h.name;
}

TEST(HexagramTable, SixtyFourDistinctPatternsPairedInTheReceivedOrderWithTheirLineNames) {
  const auto table = Table();
  ASSERT_EQ(table.size(), static_cast<size_t>(tools::kHexagramCount));
  std::set<std::array<bool, 6>> patterns;
  std::set<std::wstring> names;
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].number, static_cast<int>(i) + 1);
    patterns.insert(table[i].solid);
    names.insert(table[i].name);
  }
  EXPECT_EQ(patterns.size(), table.size());
  EXPECT_EQ(names.size(), table.size());
  // Each even-numbered hexagram is its predecessor upside down, or, where
  // that changes nothing, its predecessor with every line inverted.
  for (size_t i = 1; i < table.size(); i += 2) {
    auto expected = table[i - 1].solid;
    std::reverse(expected.begin(), expected.end());
    if (expected == table[i - 1].solid)
      for (bool& line : expected) line = !line;
    EXPECT_EQ(table[i].solid, expected) << table[i].number;
  }
  EXPECT_EQ(table.front().name, L"乾");
  EXPECT_EQ(table.back().name, L"未济");
  // The names a lot's title takes from them.
  for (const auto& [hexagram, line, name] : {std::tuple{size_t{0}, 1, L"初九"}, {0, 5, L"九五"}, {1, 6, L"上六"},
                                             {63, 2, L"九二"}, {63, 3, L"六三"}})
    EXPECT_EQ(tools::LineName(table[hexagram], line), name) << hexagram << " " << line;
  for (const auto& [n, name] : {std::pair{1, L"一"}, {10, L"十"}, {11, L"十一"}, {20, L"二十"}, {100, L"一百"},
                                {105, L"一百零五"}, {110, L"一百一十"}, {384, L"三百八十四"}})
    EXPECT_EQ(tools::ChineseNumber(n), name) << n;
}

// The judge of the verse: rhyme groups across spellings (y-, w-, ü after
// j q x), the four tones, and the entering tone Mandarin lost.
TEST(VerseReadings, KnowRhymesTonesAndTheEnteringTone) {
  const auto readings = book::Readings::Read(VESHA_READINGS);
  ASSERT_TRUE(readings) << "the build extracts Unihan's readings";
  for (const auto& [a, b, rhyme] : {std::tuple{L'头', L'楼', true}, {L'间', L'关', true}, {L'渊', L'天', true},
                                    {L'云', L'春', true}, {L'居', L'衣', true}, {L'诗', L'山', false},
                                    {L'门', L'声', false}})
    EXPECT_EQ(readings->Rhyme(a, b), rhyme) << win::ToUtf8(std::wstring{a, b});
  // 国 is an entering tone, though Mandarin reads it rising.
  for (const auto& [c, level, oblique] : {std::tuple{L'天', true, false}, {L'头', true, false}, {L'国', false, true},
                                          {L'至', false, true}, {L'楼', true, false}}) {
    EXPECT_EQ(readings->Level(c), level) << win::ToUtf8(std::wstring(1, c));
    EXPECT_EQ(readings->Oblique(c), oblique) << win::ToUtf8(std::wstring(1, c));
  }
}

class Book : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    tools::LotSourceError error;
    tools::LotTexts texts;
    ok_ = tools::ReadLotFolder(VESHA_DATA_DIR L"/lots", texts, error);
    for (const auto& [n, text] : texts) lines_[n] = Split(text, L"\r\n");
  }
  // The lots whose layout the layout test passes; the others it reports.
  static std::map<int, std::vector<std::wstring>> LaidOut() {
    std::map<int, std::vector<std::wstring>> laidOut;
    for (const auto& [n, lines] : lines_)
      if (lines.size() == kFirstTopic + kTopics.size()) laidOut[n] = lines;
    return laidOut;
  }
  static inline std::map<int, std::vector<std::wstring>> lines_;
  static inline bool ok_ = false;
};

TEST_F(Book, HoldsEveryLotTitledQuotingItsLineAndAnsweringEveryTopicInOrder) {
  ASSERT_TRUE(ok_);
  ASSERT_EQ(lines_.size(), static_cast<size_t>(kLots)) << "the reader keeps numbers within 1 to 384";
  const auto table = Table();
  ASSERT_EQ(table.size(), 64u);
  std::map<std::wstring, int> grades;
  for (const auto& [n, lines] : lines_) {
    SCOPED_TRACE("lot " + std::to_string(n));
    ASSERT_EQ(lines.size(), kFirstTopic + kTopics.size());
    for (const auto& l : lines) EXPECT_FALSE(l.empty()) << "no blank lines";

    const Hexagram& h = table[static_cast<size_t>((n - 1) / 6)];
    const std::wstring line = tools::LineName(h, (n - 1) % 6 + 1);
    const auto title = Split(lines[0], L"\u3000");
    ASSERT_EQ(title.size(), 4u) << "number, hexagram, line, grade";
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
      EXPECT_EQ(lines[i].size(), kVerseLineLength);
      for (wchar_t c : lines[i])
        EXPECT_TRUE(c >= kFirstIdeograph && c <= kLastIdeograph) << "no punctuation in a verse";
    }
    EXPECT_EQ(lines[kExplainHeading], L"签释");
    EXPECT_GE(lines[kExplanation].size(), kMinExplanation);
    EXPECT_LE(lines[kExplanation].size(), kMaxExplanation);
    for (size_t i = 0; i < kTopics.size(); ++i) {
      const std::wstring& answer = lines[kFirstTopic + i];
      EXPECT_TRUE(answer.starts_with(kTopics[i] + L"：")) << "topic " << i + 1 << " is " << win::ToUtf8(kTopics[i]);
      EXPECT_GT(answer.size(), kTopics[i].size() + 1) << "and is answered";
    }
  }
  for (const auto& g : kGrades) EXPECT_GT(grades[g], kLots / 10) << "a sensible spread";
}

// Lines 2 and 4 rhyme on a level tone, line 1 rhymes with them on a level
// tone or ends oblique, line 3 ends oblique: by Unihan's readings.
TEST_F(Book, EveryVerseRhymesAndKeepsItsTones) {
  const auto r = book::Readings::Read(VESHA_READINGS);
  ASSERT_TRUE(r) << "the build extracts Unihan's readings";
  for (const auto& [n, lines] : LaidOut()) {
    std::wstring end;
    for (size_t i = kFirstVerseLine; i < kExplainHeading; ++i) end += lines[i].back();
    EXPECT_TRUE(r->Rhyme(end[1], end[3]) && r->Level(end[1]) && r->Level(end[3]) && r->Oblique(end[2]) &&
                (r->Oblique(end[0]) || (r->Level(end[0]) && r->Rhyme(end[0], end[1]))))
        << "lot " << n << "'s verse ends on " << win::ToUtf8(end);
  }
}

TEST_F(Book, NoOpeningServesMoreThanAQuarterOfTheLotsAndNoVerseLineOrExplanationRepeats) {
  std::map<std::wstring, int> openings, verses, verseLines, explanations;
  for (const auto& [n, lines] : LaidOut()) {
    ++openings[lines[kExplanation].substr(0, kOpeningLength)];
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
  for (const auto& [opening, lots] : openings) EXPECT_LE(lots, kMostLotsPerOpening) << win::ToUtf8(opening);
}

// The user's guide shows one lot whole, as the book has it.
TEST_F(Book, TheGuidesExampleIsTheBooksLot) {
  std::ifstream in(std::filesystem::path(VESHA_GUIDE), std::ios::binary);
  const std::string guide{std::istreambuf_iterator<char>(in), {}};
  const std::string open = "<pre class=\"lot\">";
  const size_t start = guide.find(open), end = guide.find("</pre>", start);
  ASSERT_NE(end, std::string::npos) << "the guide shows a lot";
  const auto example = win::FromUtf8(guide.substr(start + open.size(), end - start - open.size()));
  ASSERT_TRUE(example);
  const auto lines = Split(*example, L"\n");
  const auto lot = std::find_if(lines_.begin(), lines_.end(), [&](const auto& l) { return l.second[0] == lines[0]; });
  ASSERT_TRUE(lot != lines_.end()) << "the example's title is a lot's";
  EXPECT_EQ(lines, lot->second);
}

}  // namespace
