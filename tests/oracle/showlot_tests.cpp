// Showing a lot: what reaches the main window for good and bad rows; the
// hostile-store tests spoil the whole file.
#include <gtest/gtest.h>

#include <string>

#include "oracle/show_lot.h"
#include "support/lot_view_fake.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

namespace {

using testing_support::RecordingLotView;

// Every showing, whatever the store holds, makes the same calls and
// replaces the text the view had.
TEST(ShowLot, ShowsALotsTextOrTheEmptyTextWhenItHasNoRow) {
  testing_support::TempDir dir;
  ASSERT_TRUE(testing_support::WriteStore(dir.File(L"veshalib.mdb"), {{1, L"第一签"}, {17, L"十七"}, {384, L"末签\r\n有中"}}));
  for (const auto& [lot, text] : {std::pair{1, L"第一签"}, {384, L"末签\r\n有中"}, {17, L"十七"}, {0, L""},
                                  {385, L""}, {-5, L""}, {2, L""}}) {
    RecordingLotView view(dir.AppPath());
    oracle::ShowLot(view, static_cast<std::int16_t>(lot));
    EXPECT_EQ(view.text, text) << lot;
    EXPECT_EQ(view.calls, testing_support::kLotShown) << lot;
  }
}

// The store the build writes decodes to texts that begin with their titles.
TEST(ShowLot, TheShippedStoresFirstAndLastLotsShowTheirTexts) {
  RecordingLotView view(VESHA_BIN_DIR);
  oracle::ShowLot(view, 1);
  EXPECT_EQ(view.text.substr(0, 4), L"第一签\u3000");
  oracle::ShowLot(view, 384);
  EXPECT_EQ(view.text.substr(0, 8), L"第三百八十四签\u3000");
  EXPECT_EQ(view.text.find(L"\r\n\r\n"), std::wstring::npos);
}

}  // namespace
