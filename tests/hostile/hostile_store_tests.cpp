// A spoiled veshalib.mdb: the rules against broken stores in-process, and
// the real program against the cases a user can meet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <variant>

#include "common/codepage.h"
#include "common/unique_handle.h"
#include "hostile/program_session.h"
#include "oracle/character_test.h"
#include "oracle/show_lot.h"
#include "support/lot_view_fake.h"
#include "support/program_copy.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

namespace {

using oracle::CharacterRefusal;
using testing_support::ExecOnStore;
using testing_support::kLotShown;
using testing_support::ProgramCopy;
using testing_support::RecordingLotView;
using testing_support::WriteFile;
using Outcome = std::variant<std::int16_t, CharacterRefusal>;

constexpr wchar_t kStore[] = L"veshalib.mdb";
const Outcome kUnreadable = CharacterRefusal{CharacterRefusal::StoreUnreadable};
constexpr size_t kRandomBytes = 4096;
constexpr size_t kHugeLotBytes = 10 << 20;
constexpr ULONGLONG kHugeLotShowMs = 5000;

std::string RandomBytes() {
  std::mt19937 bits(kRandomBytes);
  std::string bytes(kRandomBytes, '\0');
  for (char& b : bytes) b = static_cast<char>(bits());
  return bytes;
}

std::string ShippedStore() {
  std::ifstream in(std::filesystem::path(VESHA_BIN_DIR) / kStore, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

class HostileStoreRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一签"}, {9, L"第九签"}}, {{L"天", L"4"}}));
  }
  Outcome Characters(std::wstring_view characters) const {
    return oracle::LotOfCharacters(dir.AppPath(), characters);
  }
  RecordingLotView Show(std::int16_t lot) const {
    RecordingLotView view(dir.AppPath());
    oracle::ShowLot(view, lot);
    return view;
  }

  testing_support::TempDir dir;
  std::wstring store = dir.File(kStore);
};

// A file that is no store, or lacks either table, is not the oracle's
// store: the character test says so, rather than blaming a character, and
// the lot shows as the empty text.
TEST_F(HostileStoreRules, MissingBrokenOrForeignStoresAreUnreadableAndShowTheEmptyText) {
  const std::string shipped = ShippedStore();
  ASSERT_FALSE(shipped.empty());
  const std::pair<const char*, std::function<bool()>> spoils[] = {
      {"missing", [&] { return ::DeleteFileW(store.c_str()) != 0; }},
      {"empty", [&] { return WriteFile(store, ""); }},
      {"random bytes", [&] { return WriteFile(store, RandomBytes()); }},
      {"cut off in the middle", [&] { return WriteFile(store, shipped.substr(0, shipped.size() / 2)); }},
      {"without table vesha", [&] { return ExecOnStore(store, "DROP TABLE vesha"); }},
      {"without table hanzi", [&] { return ExecOnStore(store, "DROP TABLE hanzi"); }},
  };
  for (const auto& [what, spoil] : spoils) {
    SetUp();
    ASSERT_TRUE(spoil()) << what;
    EXPECT_EQ(Characters(L"天"), kUnreadable) << what;
    const auto view = Show(1);
    EXPECT_EQ(view.text, L"") << what;
    EXPECT_EQ(view.calls, kLotShown) << what;
  }
}

// Counts are decimal digits that the query's long conversion takes; the
// store's column type does not matter. A count beyond it, or no number,
// is the character's count unreadable.
TEST_F(HostileStoreRules, StrokeCountsAreDigitsWithinALongElseTheCountIsUnreadable) {
  ASSERT_TRUE(testing_support::LoosenStore(store));
  const Outcome unreadable = CharacterRefusal{CharacterRefusal::StrokeCountUnreadable, L'天'};
  struct Case {
    const char* bh;
    Outcome outcome;
  };
  for (const Case& c : {Case{"14", std::int16_t{4}}, Case{"'14'", std::int16_t{4}}, Case{"'99999999999'", unreadable},
                        Case{"99999999999", unreadable}, Case{"'abc'", unreadable}, Case{"''", unreadable},
                        Case{"'-3'", unreadable}, Case{"-3", unreadable}, Case{"NULL", unreadable}}) {
    ASSERT_TRUE(ExecOnStore(store, "DELETE FROM hanzi; INSERT INTO hanzi VALUES ('" + win::ToUtf8(L"天") + "', " + c.bh + ")"));
    EXPECT_EQ(Characters(L"天"), c.outcome) << c.bh;
  }
}

// A lot stored twice shows the row stored first, never both; bytes stored
// as text, or Null, are no lot text.
TEST_F(HostileStoreRules, ADuplicatedLotShowsItsFirstRowAndTextOrNullContentTheEmptyText) {
  ASSERT_TRUE(testing_support::LoosenStore(store));
  ASSERT_TRUE(ExecOnStore(store, "INSERT INTO vesha SELECT 1, content FROM vesha WHERE id = 9;"
                                 "INSERT INTO vesha VALUES (5, 'plain text'), (6, NULL)"));
  EXPECT_EQ(Show(1).text, L"第一签");
  EXPECT_EQ(Show(9).text, L"第九签");
  for (const std::int16_t lot : {5, 6}) {
    const auto view = Show(lot);
    EXPECT_EQ(view.text, L"") << lot;
    EXPECT_EQ(view.calls, kLotShown) << lot;
  }
}

// Nothing to read: the draw shows the empty text without a word, the
// character test names the store, the dice window still opens.
void ExpectStoreNamed(hostile::ProgramSession& session) {
  ASSERT_TRUE(session.Answers());
  const auto draw = session.Draw();
  EXPECT_EQ(draw.message, std::nullopt);
  EXPECT_EQ(draw.shown, L"");
  const auto test = session.CharacterTest(L"天");
  ASSERT_TRUE(test.message);
  EXPECT_THAT(*test.message, ::testing::HasSubstr(L"veshalib.mdb"));
  const auto dice = session.Dice({L"7", L"12", L"3"});
  EXPECT_TRUE(dice.opened);
  EXPECT_TRUE(dice.castsEnabled);
  EXPECT_EQ(dice.typed.message, std::nullopt);
  EXPECT_EQ(dice.typed.shown, L"");
}

// A sound store gives the lots' texts, wherever it lies.
void ExpectLots(hostile::ProgramSession& session) {
  ASSERT_TRUE(session.Answers());
  for (const auto& outcome : {session.Draw(), session.CharacterTest(L"天"), session.Dice({L"7", L"12", L"3"}).typed}) {
    EXPECT_EQ(outcome.message, std::nullopt);
    ASSERT_TRUE(outcome.shown);
    EXPECT_THAT(*outcome.shown, ::testing::StartsWith(L"第"));
  }
}

// The real program on a copy of its directory with the store spoiled; the
// program never changes the directory.
class HostileStoreProgram : public ::testing::Test {
 protected:
  void CloseAndExpectUnchanged(hostile::ProgramSession& session) {
    session.program().Close();
    EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
  }

  ProgramCopy copy;
};

TEST_F(HostileStoreProgram, AMissingOrRandomStoreDrawsSilentlyAndTheCharacterTestNamesIt) {
  for (const bool missing : {true, false}) {
    ASSERT_TRUE(missing ? copy.Remove(kStore) : copy.Replace(kStore, RandomBytes()));
    copy.Record();
    hostile::ProgramSession session(copy.Exe());
    ExpectStoreNamed(session);
    CloseAndExpectUnchanged(session);
  }
}

TEST_F(HostileStoreProgram, AStoreHeldExclusivelyByAnotherProgramIsNamedWithoutHanging) {
  win::unique_handle held(::CreateFileW(copy.File(kStore).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
  {
    hostile::ProgramSession session(copy.Exe());
    ExpectStoreNamed(session);
    session.program().Close();
  }
  held.reset();
  EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
}

TEST_F(HostileStoreProgram, AStoreWriteLockedByAnotherConnectionIsNamedWithoutHanging) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(win::ToUtf8(copy.File(kStore)).c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> writer(raw, &sqlite3_close);
  ASSERT_EQ(opened, SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(writer.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
  {
    hostile::ProgramSession session(copy.Exe());
    ExpectStoreNamed(session);
    session.program().Close();
  }
  ASSERT_EQ(sqlite3_exec(writer.get(), "ROLLBACK", nullptr, nullptr, nullptr), SQLITE_OK);
  EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
}

TEST_F(HostileStoreProgram, AReadOnlyStoreGivesLotsAsUsual) {
  ASSERT_TRUE(::SetFileAttributesW(copy.File(kStore).c_str(), FILE_ATTRIBUTE_READONLY));
  hostile::ProgramSession session(copy.Exe());
  ExpectLots(session);
  CloseAndExpectUnchanged(session);
}

// No lot the build writes is longer than a few hundred characters; one of
// 10 MB is an unreadable row, shown empty at once rather than stalling
// the text view for many seconds. 一 has one stroke: lot 1.
TEST_F(HostileStoreProgram, ATenMegabyteLotShowsTheEmptyTextAtOnce) {
  ASSERT_TRUE(ExecOnStore(copy.File(kStore),
                          "UPDATE vesha SET content = zeroblob(" + std::to_string(kHugeLotBytes) + ") WHERE id = 1"));
  copy.Record();
  hostile::ProgramSession session(copy.Exe());
  const ULONGLONG start = ::GetTickCount64();
  const auto shown = session.CharacterTest(L"一");
  EXPECT_LT(::GetTickCount64() - start, kHugeLotShowMs);
  EXPECT_EQ(shown.message, std::nullopt);
  EXPECT_EQ(shown.shown, L"");
  EXPECT_TRUE(session.Answers());
  CloseAndExpectUnchanged(session);
}

TEST(HostileStoreProgramPath, AFolderWithChineseCharactersAndBlanksGivesLotsAsUsual) {
  ProgramCopy copy(L"易卦 灵签 程序");
  hostile::ProgramSession session(copy.Exe());
  ExpectLots(session);
  session.program().Close();
  EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
}

}  // namespace
