// Reading the lot texts the store is built from.
#include <gtest/gtest.h>

#include "tools/lot_source.h"

using tools::LotSourceError;
using tools::LotTexts;
using tools::ReadLotFile;

namespace {

TEST(LotSource, JoinsLinesWithCrLfAndDropsTrailingBlankLines) {
  LotTexts texts;
  LotSourceError error;
  ASSERT_TRUE(ReadLotFile("x.txt", "\xEF\xBB\xBF\n@ 1\n第一签\r\n抽签\n\n  \n\n@ 2\n\n中间\n\n末\n\n\n@ 384\n@  7 \n",
                          texts, error))
      << error.message;
  EXPECT_EQ(texts, (LotTexts{{1, L"第一签\r\n抽签\r\n\r\n  "}, {2, L"\r\n中间\r\n\r\n末"}, {7, L""}, {384, L""}}));
}

TEST(LotSource, RefusesMalformedFilesAndALotWrittenTwice) {
  for (const char* bad : {"@ 0\nx", "@ 385\nx", "@ x\n", "@\n", "@ 1 2\n", "text first\n@ 1\n",
                          "@ 1\n\xFF\xFE\n", "@ 3\na\n@ 3\nb\n"}) {
    LotTexts texts;
    LotSourceError error;
    EXPECT_FALSE(ReadLotFile("x.txt", bad, texts, error)) << bad;
    EXPECT_FALSE(error.message.empty());
    EXPECT_TRUE(error.where.starts_with("x.txt:")) << error.where;
  }
  LotTexts texts;
  LotSourceError error;
  ASSERT_TRUE(ReadLotFile("a.txt", "@ 5\none\n", texts, error));
  EXPECT_FALSE(ReadLotFile("b.txt", "@ 5\ntwo\n", texts, error)) << "in another file";
  EXPECT_EQ(error.where, "b.txt:1");
}

}  // namespace
