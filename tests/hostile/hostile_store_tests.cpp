// A spoiled veshalib.mdb: the rules against broken stores in-process, and
// the real program against the cases a user can meet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
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
using testing_support::kLotShown;
using testing_support::ProgramCopy;
using testing_support::RecordingLotView;
using Outcome = std::variant<std::int16_t, CharacterRefusal>;

constexpr wchar_t kStore[] = L"veshalib.mdb";
const Outcome kUnreadable = CharacterRefusal{CharacterRefusal::StoreUnreadable};
constexpr size_t kRandomBytes = 4096;
constexpr int kLotOfOneStroke = 1;  // 一 has one stroke
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

struct CloseDatabase {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using unique_database = std::unique_ptr<sqlite3, CloseDatabase>;

unique_database OpenForWriting(const std::wstring& path) {
  sqlite3* raw = nullptr;
  unique_database db;
  if (sqlite3_open_v2(win::ToUtf8(path).c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) db.reset(raw);
  else sqlite3_close(raw);
  return db;
}

// The lot's stored bytes repeated up to the size: a text that decodes to
// the same lot again and again.
bool GrowLot(const std::wstring& path, int id, size_t size) {
  const unique_database db = OpenForWriting(path);
  sqlite3_stmt* raw = nullptr;
  if (!db || sqlite3_prepare_v2(db.get(), "SELECT content FROM vesha WHERE id = ?1", -1, &raw, nullptr) != SQLITE_OK)
    return false;
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> read(raw, &sqlite3_finalize);
  sqlite3_bind_int(raw, 1, id);
  if (sqlite3_step(raw) != SQLITE_ROW) return false;
  const std::string one(static_cast<const char*>(sqlite3_column_blob(raw, 0)),
                        static_cast<size_t>(sqlite3_column_bytes(raw, 0)));
  std::string grown;
  while (grown.size() < size) grown += one;
  if (sqlite3_prepare_v2(db.get(), "UPDATE vesha SET content = ?2 WHERE id = ?1", -1, &raw, nullptr) != SQLITE_OK)
    return false;
  std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> write(raw, &sqlite3_finalize);
  sqlite3_bind_int(raw, 1, id);
  sqlite3_bind_blob(raw, 2, grown.data(), static_cast<int>(grown.size()), SQLITE_STATIC);
  return sqlite3_step(raw) == SQLITE_DONE;
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
  void ExpectUnreadable(const char* what) const {
    EXPECT_EQ(Characters(L"天"), kUnreadable) << what;
    const auto view = Show(1);
    EXPECT_EQ(view.text, L"") << what;
    EXPECT_EQ(view.calls, kLotShown) << what;
  }

  testing_support::TempDir dir;
  std::wstring store = dir.File(kStore);
};

TEST_F(HostileStoreRules, EmptyRandomOrCutOffFilesAreUnreadableAndShowTheEmptyText) {
  const std::string shipped = ShippedStore();
  ASSERT_FALSE(shipped.empty());
  for (const auto& [what, bytes] : {std::pair{"empty", std::string()}, std::pair{"random bytes", RandomBytes()},
                                    std::pair{"cut off in the middle", shipped.substr(0, shipped.size() / 2)}}) {
    ASSERT_TRUE(testing_support::WriteFile(store, bytes));
    ExpectUnreadable(what);
  }
}

// Either table missing means the file is not the oracle's store: the
// character test says so, rather than blaming a character.
TEST_F(HostileStoreRules, AStoreWithoutEitherTableIsUnreadable) {
  for (const char* table : {"vesha", "hanzi"}) {
    SetUp();
    ASSERT_TRUE(testing_support::ExecOnStore(store, std::string("DROP TABLE ") + table));
    ExpectUnreadable(table);
  }
}

// Counts are decimal digits that the query's long conversion takes; the
// store's column type does not matter. A count beyond it, or no number,
// is the character's count unreadable.
TEST_F(HostileStoreRules, StrokeCountsAreDigitsWithinALongElseTheCountIsUnreadable) {
  const Outcome unreadable = CharacterRefusal{CharacterRefusal::StrokeCountUnreadable, L'天'};
  struct Case {
    const char* bh;
    Outcome outcome;
  };
  for (const Case& c : {Case{"14", std::int16_t{4}}, Case{"'14'", std::int16_t{4}}, Case{"'99999999999'", unreadable},
                        Case{"99999999999", unreadable}, Case{"'abc'", unreadable}, Case{"''", unreadable},
                        Case{"'-3'", unreadable}, Case{"-3", unreadable}, Case{"NULL", unreadable}}) {
    ASSERT_TRUE(testing_support::ExecOnStore(
        store, std::string("DROP TABLE hanzi; CREATE TABLE hanzi (Zi TEXT, bh); INSERT INTO hanzi VALUES ('") +
                   win::ToUtf8(L"天") + "', " + c.bh + ")"));
    EXPECT_EQ(Characters(L"天"), c.outcome) << c.bh;
  }
}

// A lot stored twice shows the row stored first, never both; bytes stored
// as text are no lot text.
TEST_F(HostileStoreRules, ADuplicatedLotShowsItsFirstRowAndTextContentTheEmptyText) {
  ASSERT_TRUE(testing_support::ExecOnStore(
      store,
      "CREATE TABLE old AS SELECT id, content FROM vesha; DROP TABLE vesha;"
      "CREATE TABLE vesha (id INTEGER, content BLOB); INSERT INTO vesha SELECT id, content FROM old ORDER BY id;"
      "INSERT INTO vesha SELECT 1, content FROM old WHERE id = 9; INSERT INTO vesha VALUES (5, 'plain text')"));
  EXPECT_EQ(Show(1).text, L"第一签");
  EXPECT_EQ(Show(9).text, L"第九签");
  const auto text = Show(5);
  EXPECT_EQ(text.text, L"");
  EXPECT_EQ(text.calls, kLotShown);
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

// The real program on a copy of its directory with the store spoiled.
class HostileStoreProgram : public ::testing::Test {
 protected:
  void CloseAndExpectUnchanged(hostile::ProgramSession& session) {
    session.program().Close();
    EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
  }

  ProgramCopy copy;
};

TEST_F(HostileStoreProgram, AMissingStoreDrawsSilentlyAndTheCharacterTestNamesIt) {
  ASSERT_TRUE(copy.Remove(kStore));
  copy.Record();
  hostile::ProgramSession session(copy.Exe());
  ExpectStoreNamed(session);
  CloseAndExpectUnchanged(session);
}

TEST_F(HostileStoreProgram, RandomBytesDrawSilentlyAndTheCharacterTestNamesTheStore) {
  ASSERT_TRUE(copy.Replace(kStore, RandomBytes()));
  copy.Record();
  hostile::ProgramSession session(copy.Exe());
  ExpectStoreNamed(session);
  CloseAndExpectUnchanged(session);
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
  const unique_database writer = OpenForWriting(copy.File(kStore));
  ASSERT_TRUE(writer);
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
// the text view for many seconds.
TEST_F(HostileStoreProgram, ATenMegabyteLotShowsTheEmptyTextAtOnce) {
  ASSERT_TRUE(GrowLot(copy.File(kStore), kLotOfOneStroke, kHugeLotBytes));
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
