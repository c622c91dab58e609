// Line breaking of printed text, measured with fixed widths: each Chinese
// character 10 units, each other character 5.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "printing/page_layout.h"

using printing::WrapLines;

namespace {

std::vector<int> FixedExtents(std::wstring_view s) {
  std::vector<int> dx;
  int x = 0;
  for (wchar_t c : s) dx.push_back(x += c < 0x2000 ? 5 : 10);
  return dx;
}

std::vector<std::wstring> Wrap(std::wstring_view text, int width) {
  std::vector<std::wstring> out;
  for (auto line : WrapLines(text, width, FixedExtents)) out.emplace_back(line);
  return out;
}

using Lines = std::vector<std::wstring>;

TEST(PageLayout, KeepsLineBreaksAndBlankLines) {
  EXPECT_EQ(Wrap(L"抽签\r\n龙\r\n\r\n签释", 100), (Lines{L"抽签", L"龙", L"", L"签释"}));
  EXPECT_EQ(Wrap(L"一\r二\n三", 100), (Lines{L"一", L"二", L"三"}));
  EXPECT_EQ(Wrap(L"一\r\n", 100), (Lines{L"一"}));
}

TEST(PageLayout, BreaksChineseBetweenAnyTwoCharacters) {
  EXPECT_EQ(Wrap(L"龙卧深渊未出头", 30), (Lines{L"龙卧深", L"渊未出", L"头"}));
}

TEST(PageLayout, ClosingPunctuationNeverStartsALine) {
  EXPECT_EQ(Wrap(L"龙卧深，渊未", 30), (Lines{L"龙卧", L"深，渊", L"未"}));
  EXPECT_EQ(Wrap(L"龙卧深。", 30), (Lines{L"龙卧", L"深。"}));
}

TEST(PageLayout, OpeningPunctuationNeverEndsALine) {
  EXPECT_EQ(Wrap(L"龙卧深“渊”", 40), (Lines{L"龙卧深", L"“渊”"}));
}

TEST(PageLayout, LatinWordsMoveWhole) {
  EXPECT_EQ(Wrap(L"Ctrl key", 30), (Lines{L"Ctrl", L"key"}));
  EXPECT_EQ(Wrap(L"按Ctrl键", 25), (Lines{L"按", L"Ctrl", L"键"}));
}

TEST(PageLayout, ACharacterWiderThanTheLineStillGetsOne) {
  EXPECT_EQ(Wrap(L"龙卧", 5), (Lines{L"龙", L"卧"}));
  EXPECT_EQ(Wrap(L"", 30), (Lines{L""}));
}

}  // namespace
