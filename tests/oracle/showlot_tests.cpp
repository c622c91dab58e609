// Showing a lot: what reaches the main window for good and bad rows; the
// hostile-store tests spoil the whole file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "oracle/show_lot.h"
#include "support/lot_view_fake.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

namespace {

using testing_support::RecordingLotView;

class ShowLotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一签"}, {17, L"十七"}, {384, L"末签\r\n有中"}}));
  }
  // The text a fresh view ends with; every showing, whatever the store
  // holds, makes the same calls.
  std::wstring Show(std::int16_t lot) const {
    RecordingLotView view(dir.AppPath());
    oracle::ShowLot(view, lot);
    EXPECT_EQ(view.calls, testing_support::kLotShown) << lot;
    return view.text;
  }

  testing_support::TempDir dir;
  std::wstring store = dir.File(L"veshalib.mdb");
};

TEST_F(ShowLotTest, ShowsALotsTextOrEmptyTextWhenItHasNoRow) {
  struct Case {
    std::int16_t lot;
    const wchar_t* text;
  };
  for (const Case& c : {Case{1, L"第一签"}, Case{384, L"末签\r\n有中"}, Case{17, L"十七"}, Case{0, L""}, Case{385, L""},
                        Case{-5, L""}, Case{2, L""}}) {
    EXPECT_EQ(Show(c.lot), c.text) << c.lot;
  }
}

TEST_F(ShowLotTest, TheSecondDisplayReplacesTheFirst) {
  RecordingLotView view(dir.AppPath());
  oracle::ShowLot(view, 384);
  oracle::ShowLot(view, 17);
  EXPECT_EQ(view.text, L"十七");
  oracle::ShowLot(view, 99);
  EXPECT_EQ(view.text, L"");
}

// The store the build writes: every lot it holds decodes to a text that
// begins with its own title.
TEST(ShippedStore, LotsOneAnd384ShowTheirTexts) {
  RecordingLotView view(VESHA_BIN_DIR);
  oracle::ShowLot(view, 1);
  EXPECT_EQ(view.text.substr(0, 4), L"第一签\u3000");
  oracle::ShowLot(view, 384);
  EXPECT_EQ(view.text.substr(0, 8), L"第三百八十四签\u3000");
  EXPECT_EQ(view.text.find(L"\r\n\r\n"), std::wstring::npos);
}

}  // namespace
