// Reading the lot texts the store is built from.
#include <gtest/gtest.h>

#include "tools/lot_source.h"

using tools::LotSourceError;
using tools::LotTexts;
using tools::ReadLotFile;

namespace {

struct Parsed {
  bool ok;
  LotTexts texts;
  LotSourceError error;
};

Parsed Parse(std::string_view content) {
  Parsed p;
  p.ok = ReadLotFile("x.txt", content, p.texts, p.error);
  return p;
}

TEST(LotSource, JoinsLinesWithCrLfAndDropsTrailingBlankLines) {
  const auto p = Parse("\xEF\xBB\xBF\n@ 1\n第一签\r\n抽签\n\n  \n\n@ 2\n\n中间\n\n末\n\n\n");
  ASSERT_TRUE(p.ok) << p.error.message;
  ASSERT_EQ(p.texts.size(), 2u);
  EXPECT_EQ(p.texts.at(1), L"第一签\r\n抽签\r\n\r\n  ");
  EXPECT_EQ(p.texts.at(2), L"\r\n中间\r\n\r\n末");
}

TEST(LotSource, AMarkerWithNothingAfterItIsAnEmptyLot) {
  const auto p = Parse("@ 384\n@  7 \n");
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.texts.at(384), L"");
  EXPECT_EQ(p.texts.at(7), L"");
}

TEST(LotSource, RefusesMalformedFiles) {
  for (const char* bad : {"@ 0\nx", "@ 385\nx", "@ x\n", "@\n", "@ 1 2\n", "text first\n@ 1\n",
                          "@ 1\n\xFF\xFE\n", "@ 3\na\n@ 3\nb\n"}) {
    const auto p = Parse(bad);
    EXPECT_FALSE(p.ok) << bad;
    EXPECT_FALSE(p.error.message.empty());
    EXPECT_EQ(p.error.where.rfind("x.txt:", 0), 0u) << p.error.where;
  }
}

TEST(LotSource, ALotWrittenInTwoFilesIsRefused) {
  LotTexts texts;
  LotSourceError error;
  ASSERT_TRUE(ReadLotFile("a.txt", "@ 5\none\n", texts, error));
  EXPECT_FALSE(ReadLotFile("b.txt", "@ 5\ntwo\n", texts, error));
  EXPECT_EQ(error.where, "b.txt:1");
}

}  // namespace
