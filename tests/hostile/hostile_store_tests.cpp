// A spoiled veshalib.mdb: the rules against broken stores in-process, and
// the real program against the cases a user can meet.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <array>
#include <functional>
#include <iterator>
#include <memory>
#include <ostream>
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
using testing_support::ProgramCopy;
using testing_support::WriteFile;
using Outcome = std::variant<std::int16_t, CharacterRefusal>;

constexpr wchar_t kStore[] = L"veshalib.mdb";
constexpr size_t kRandomBytes = 4096;
constexpr size_t kHugeLotBytes = 10 << 20;
constexpr ULONGLONG kHugeLotShowMs = 5000;
const std::array<std::wstring_view, 3> kSums = {L"7", L"12", L"3"};

std::string RandomBytes() {
  std::mt19937 bits(kRandomBytes);
  std::string bytes(kRandomBytes, '\0');
  for (char& b : bytes) b = static_cast<char>(bits());
  return bytes;
}

class HostileStoreRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一签"}, {9, L"第九签"}}, {{L"天", L"4"}}));
  }
  Outcome Characters() const { return oracle::LotOfCharacters(dir.AppPath(), L"天"); }
  // The text lot shows; every showing makes the same calls.
  std::wstring Show(std::int16_t lot) const {
    testing_support::RecordingLotView view(dir.AppPath());
    oracle::ShowLot(view, lot);
    EXPECT_EQ(view.calls, testing_support::kLotShown) << lot;
    return view.text;
  }

  testing_support::TempDir dir;
  std::wstring store = dir.File(kStore);
};

// A file that is no store, or lacks either table, is not the oracle's
// store: the character test says so, rather than blaming a character, and
// the lot shows as the empty text.
TEST_F(HostileStoreRules, MissingBrokenOrForeignStoresAreUnreadableAndShowTheEmptyText) {
  std::ifstream in(std::filesystem::path(VESHA_BIN_DIR) / kStore, std::ios::binary);
  const std::string shipped{std::istreambuf_iterator<char>(in), {}};
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
    EXPECT_EQ(Characters(), Outcome(CharacterRefusal{CharacterRefusal::StoreUnreadable})) << what;
    EXPECT_EQ(Show(1), L"") << what;
  }
}

// Stores no builder writes. Counts are decimal digits that the query's
// long conversion takes, whatever the column's type; a count beyond it,
// or no number, is the character's count unreadable. A lot stored twice
// shows the row stored first, never both; bytes stored as text, or Null,
// are no lot text.
TEST_F(HostileStoreRules, LooseStoresGiveCountsAsDigitsAndLotsFromTheirFirstRow) {
  ASSERT_TRUE(testing_support::LoosenStore(store));
  const Outcome unreadable = CharacterRefusal{CharacterRefusal::StrokeCountUnreadable, L'天'};
  for (const auto& [bh, outcome] :
       {std::pair{"14", Outcome{std::int16_t{4}}}, {"'14'", std::int16_t{4}}, {"'99999999999'", unreadable},
        {"99999999999", unreadable}, {"'abc'", unreadable}, {"''", unreadable}, {"'-3'", unreadable},
        {"-3", unreadable}, {"NULL", unreadable}}) {
    const std::string row = "('" + win::ToUtf8(L"天") + "', " + bh + ")";
    ASSERT_TRUE(ExecOnStore(store, "DELETE FROM hanzi; INSERT INTO hanzi VALUES " + row));
    EXPECT_EQ(Characters(), outcome) << bh;
  }
  ASSERT_TRUE(ExecOnStore(store, "INSERT INTO vesha SELECT 1, content FROM vesha WHERE id = 9;"
                                 "INSERT INTO vesha VALUES (5, 'plain text'), (6, NULL)"));
  for (const auto& [lot, text] : {std::pair{1, L"第一签"}, {9, L"第九签"}, {5, L""}, {6, L""}})
    EXPECT_EQ(Show(static_cast<std::int16_t>(lot)), text) << lot;
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
  const auto dice = session.Dice(kSums);
  EXPECT_TRUE(dice.opened);
  EXPECT_TRUE(dice.castsEnabled);
  EXPECT_EQ(dice.typed.message, std::nullopt);
  EXPECT_EQ(dice.typed.shown, L"");
}

// A sound store gives the lots' texts, wherever it lies.
void ExpectLots(hostile::ProgramSession& session) {
  ASSERT_TRUE(session.Answers());
  for (const auto& outcome : {session.Draw(), session.CharacterTest(L"天"), session.Dice(kSums).typed}) {
    EXPECT_EQ(outcome.message, std::nullopt);
    ASSERT_TRUE(outcome.shown);
    EXPECT_THAT(*outcome.shown, ::testing::StartsWith(L"第"));
  }
}

// No lot the build writes is longer than a few hundred characters; one of
// 10 MB is an unreadable row, shown empty at once rather than stalling
// the text view for many seconds. 一 has one stroke: lot 1.
void ExpectEmptyAtOnce(hostile::ProgramSession& session) {
  const ULONGLONG start = ::GetTickCount64();
  const auto shown = session.CharacterTest(L"一");
  EXPECT_LT(::GetTickCount64() - start, kHugeLotShowMs);
  EXPECT_EQ(shown.message, std::nullopt);
  EXPECT_EQ(shown.shown, L"");
  EXPECT_TRUE(session.Answers());
}

// What another program holds on the store while ours runs; nothing when
// it could not take hold.
using Hold = std::shared_ptr<void>;

Hold HeldExclusively(const ProgramCopy& copy) {
  const std::wstring file = copy.File(kStore);
  auto held = std::make_shared<win::unique_handle>(
      ::CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                    nullptr));
  return held->get() == INVALID_HANDLE_VALUE ? nullptr : held;
}

// Closing the connection rolls its transaction back.
Hold WriteLocked(const ProgramCopy& copy) {
  sqlite3* raw = nullptr;
  const int opened = sqlite3_open_v2(win::ToUtf8(copy.File(kStore)).c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  const std::shared_ptr<sqlite3> writer(raw, &sqlite3_close);
  const bool locked =
      opened == SQLITE_OK && sqlite3_exec(raw, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
  return locked ? writer : nullptr;
}

struct ProgramCase {
  const char* name;
  std::function<bool(const ProgramCopy&)> spoil;  // before the program starts
  std::function<Hold(const ProgramCopy&)> hold;   // while it runs
  void (*expect)(hostile::ProgramSession&);
  const wchar_t* folder = L"";
};

void PrintTo(const ProgramCase& c, std::ostream* out) { *out << c.name; }

const ProgramCase kProgramCases[] = {
    {"Missing", [](const ProgramCopy& c) { return c.Remove(kStore); }, nullptr, &ExpectStoreNamed},
    {"RandomBytes", [](const ProgramCopy& c) { return c.Replace(kStore, RandomBytes()); }, nullptr, &ExpectStoreNamed},
    {"HeldExclusivelyByAnotherProgram", nullptr, &HeldExclusively, &ExpectStoreNamed},
    {"WriteLockedByAnotherConnection", nullptr, &WriteLocked, &ExpectStoreNamed},
    {"ReadOnly",
     [](const ProgramCopy& c) { return ::SetFileAttributesW(c.File(kStore).c_str(), FILE_ATTRIBUTE_READONLY) != 0; },
     nullptr, &ExpectLots},
    {"TenMegabyteLot",
     [](const ProgramCopy& c) {
       return ExecOnStore(c.File(kStore), "UPDATE vesha SET content = zeroblob(" + std::to_string(kHugeLotBytes) +
                                              ") WHERE id = 1");
     },
     nullptr, &ExpectEmptyAtOnce},
    {"InAFolderWithChineseCharactersAndBlanks", nullptr, nullptr, &ExpectLots, L"易卦 灵签 程序"},
};

class HostileStoreProgram : public ::testing::TestWithParam<ProgramCase> {};

// The real program on a copy of its directory with the store spoiled,
// locked or moved; whatever it meets, it never changes the directory and
// never hangs (a locked store is given up after a short retry).
TEST_P(HostileStoreProgram, AnswersAsTheStoreAllowsAndLeavesTheDirectoryUnchanged) {
  const ProgramCase& c = GetParam();
  ProgramCopy copy(c.folder);
  ASSERT_TRUE(!c.spoil || c.spoil(copy));
  copy.Record();
  {
    const Hold held = c.hold ? c.hold(copy) : nullptr;
    ASSERT_EQ(held != nullptr, c.hold != nullptr);
    hostile::ProgramSession session(copy.Exe());
    c.expect(session);
    session.program().Close();
  }
  EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryCase, HostileStoreProgram, ::testing::ValuesIn(kProgramCases),
                         [](const ::testing::TestParamInfo<ProgramCase>& info) { return info.param.name; });

}  // namespace
