// Line breaking of printed text, measured with fixed widths: each Chinese
// character 10 units, each other character 5.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "printing/page_layout.h"

namespace {

using Lines = std::vector<std::wstring>;

std::vector<int> FixedExtents(std::wstring_view s) {
  std::vector<int> dx;
  int x = 0;
  for (wchar_t c : s) dx.push_back(x += c < 0x2000 ? 5 : 10);
  return dx;
}

// Line breaks and blank lines are kept; Chinese breaks between any two
// characters, but closing punctuation never starts a line nor opening
// punctuation ends one; Latin words move whole; a character wider than the
// line still gets one.
TEST(PageLayout, WrapsChineseAndLatinAsTheRulesSay) {
  for (const auto& [text, width, lines] :
       {std::tuple{L"抽签\r\n龙\r\n\r\n签释", 100, Lines{L"抽签", L"龙", L"", L"签释"}},
        {L"一\r二\n三", 100, {L"一", L"二", L"三"}}, {L"一\r\n", 100, {L"一"}},
        {L"龙卧深渊未出头", 30, {L"龙卧深", L"渊未出", L"头"}}, {L"龙卧深，渊未", 30, {L"龙卧", L"深，渊", L"未"}},
        {L"龙卧深。", 30, {L"龙卧", L"深。"}}, {L"龙卧深“渊”", 40, {L"龙卧深", L"“渊”"}},
        {L"Ctrl key", 30, {L"Ctrl", L"key"}}, {L"按Ctrl键", 25, {L"按", L"Ctrl", L"键"}},
        {L"龙卧", 5, {L"龙", L"卧"}}, {L"", 30, {L""}}}) {
    Lines wrapped;
    for (auto line : printing::WrapLines(text, width, FixedExtents)) wrapped.emplace_back(line);
    EXPECT_EQ(wrapped, lines) << testing::PrintToString(std::wstring(text));
  }
}

}  // namespace
