// Showing a lot: what reaches the main window for good and bad stores.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "oracle/show_lot.h"
#include "support/lot_view_fake.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

using testing_support::TempDir;

namespace {

using RecordingView = testing_support::RecordingLotView;
const std::vector<std::wstring>& kShown = testing_support::kLotShown;

class ShowLotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一签"}, {17, L"十七"}, {384, L"末签\r\n有中"}}));
  }
  RecordingView Show(std::int16_t lot) {
    RecordingView view(dir.AppPath());
    oracle::ShowLot(view, lot);
    return view;
  }

  TempDir dir;
  std::wstring store = dir.File(L"veshalib.mdb");
};

TEST_F(ShowLotTest, ShowsTheFirstAndLastLots) {
  const auto first = Show(1);
  EXPECT_EQ(first.text, L"第一签");
  EXPECT_EQ(first.calls, kShown);
  EXPECT_EQ(Show(384).text, L"末签\r\n有中");
  EXPECT_EQ(Show(17).text, L"十七");
}

TEST_F(ShowLotTest, ALotWithoutARowShowsAnEmptyTextViewAndTheMenuBar) {
  for (std::int16_t lot : {0, 385, -5, 2}) {
    const auto view = Show(lot);
    EXPECT_EQ(view.text, L"") << lot;
    EXPECT_EQ(view.calls, kShown) << lot;
  }
}

TEST_F(ShowLotTest, AMissingOrBrokenStoreShowsTheEmptyText) {
  ::DeleteFileW(store.c_str());
  EXPECT_EQ(Show(1).text, L"");
  EXPECT_EQ(Show(1).calls, kShown);
  ASSERT_TRUE(testing_support::WriteFile(store, "not a store at all"));
  EXPECT_EQ(Show(1).text, L"");
  EXPECT_EQ(Show(1).calls, kShown);
}

TEST_F(ShowLotTest, NullOrTextContentShowsTheEmptyText) {
  ASSERT_TRUE(testing_support::ExecOnStore(
      store, "INSERT INTO vesha VALUES (5, NULL); INSERT INTO vesha VALUES (6, 'plain text')"));
  EXPECT_EQ(Show(5).text, L"");
  EXPECT_EQ(Show(6).text, L"");
  EXPECT_EQ(Show(6).calls, kShown);
}

TEST_F(ShowLotTest, AStoreWithoutTheTableShowsTheEmptyText) {
  ASSERT_TRUE(testing_support::ExecOnStore(store, "DROP TABLE vesha"));
  EXPECT_EQ(Show(1).text, L"");
}

TEST_F(ShowLotTest, TheSecondDisplayReplacesTheFirst) {
  RecordingView view(dir.AppPath());
  oracle::ShowLot(view, 384);
  oracle::ShowLot(view, 17);
  EXPECT_EQ(view.text, L"十七");
  oracle::ShowLot(view, 99);
  EXPECT_EQ(view.text, L"");
}

// The store the build writes: every lot it holds decodes to a text that
// begins with its own title.
TEST(ShippedStore, LotsOneAnd384ShowTheirTexts) {
  RecordingView view(VESHA_BIN_DIR);
  oracle::ShowLot(view, 1);
  EXPECT_EQ(view.text.substr(0, 4), L"第一签\u3000");
  oracle::ShowLot(view, 384);
  EXPECT_EQ(view.text.substr(0, 8), L"第三百八十四签\u3000");
  EXPECT_EQ(view.text.find(L"\r\n\r\n"), std::wstring::npos);
}

}  // namespace
