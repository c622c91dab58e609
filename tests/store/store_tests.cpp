// The store layer: what opens, what fails, and what the queries give back.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <optional>

#include "common/unique_handle.h"
#include "store/engine.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

using namespace store;
using testing_support::ExecOnStore;
using testing_support::TempDir;

namespace {

constexpr wchar_t kStrokeQuery[] = L"SELECT bh FROM hanzi WHERE  Zi=?  ORDER BY clng(bh) ";
using Rows = std::vector<std::wstring>;

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一"}, {2, L"第二"}},
                                            {{L"一", L"1"}, {L"子", L"3"}, {L"子", L"2"}, {L"'", L"5"},
                                             {L"\\", L"6"}, {L"a'b\\", L"7"}}));
  }
  Workspace& ws() { return *DBEngine().Workspaces(0).value(); }
  Database Open() {
    auto db = ws().OpenDatabase(store);
    EXPECT_TRUE(db.ok());
    return std::move(db).value();
  }
  // Each row's value of the one field, as text.
  static Rows Column(Result<Recordset> rs, const wchar_t* field) {
    if (!rs) return {L"(the query failed)"};
    Rows values;
    for (; !rs->AtEOF(); rs->MoveNext()) values.push_back(rs->Fields(field)->AsString().value_or(L"(Null)"));
    return values;
  }

  TempDir dir;
  std::wstring store = dir.File(L"veshalib.mdb");
};

TEST_F(StoreTest, OpenRefusesMissingFilesAndFilesThatAreNoStore) {
  ASSERT_TRUE(testing_support::WriteFile(dir.File(L"text.mdb"), std::string(4096, 'x')));
  ASSERT_TRUE(testing_support::WriteFile(dir.File(L"empty.mdb"), ""));
  struct Case {
    std::wstring path;
    ErrorCode code;
  };
  for (const Case& c : {Case{dir.File(L"missing.mdb"), ErrorCode::FileNotFound}, Case{L"", ErrorCode::FileNotFound},
                        Case{dir.AppPath(), ErrorCode::FileNotFound}, Case{dir.File(L"text.mdb"), ErrorCode::NotADatabase},
                        Case{dir.File(L"empty.mdb"), ErrorCode::NotADatabase}}) {
    EXPECT_EQ(ws().OpenDatabase(c.path).error().code, c.code) << c.path;
  }
}

TEST_F(StoreTest, OpeningNeverCreatesOrChangesAFile) {
  const auto missing = dir.File(L"new.mdb");
  ws().OpenDatabase(missing, true, false);
  EXPECT_FALSE(std::filesystem::exists(missing));

  const auto before = std::filesystem::last_write_time(store);
  const auto size = std::filesystem::file_size(store);
  {
    auto db = ws().OpenDatabase(store, true, false);
    ASSERT_TRUE(db.ok());
    EXPECT_FALSE(db->OpenRecordset(L"DELETE FROM vesha").ok());
    EXPECT_FALSE(db->OpenRecordset(L"CREATE TABLE t (x)").ok());
    EXPECT_EQ(db->CreateQueryDef(L"saved", L"SELECT 1").error().code, ErrorCode::ReadOnly);
  }
  EXPECT_EQ(std::filesystem::last_write_time(store), before);
  EXPECT_EQ(std::filesystem::file_size(store), size);
}

// The store never changes under a reader: while it is open no one may
// write it, and a store that another program has open for writing is in
// use. Other readers are welcome.
TEST_F(StoreTest, AnOpenStoreIsKeptFromWritersAndOneBeingWrittenIsInUse) {
  const char* kInsert = "INSERT INTO vesha VALUES (3, x'00')";
  {
    Database db = Open();
    EXPECT_FALSE(ExecOnStore(store, kInsert));
    Database again = Open();
    EXPECT_TRUE(again.OpenRecordset(L"SELECT id FROM vesha").ok());
  }
  EXPECT_TRUE(ExecOnStore(store, kInsert)) << "closed, the store is free again";

  const win::unique_handle writer(::CreateFileW(store.c_str(), GENERIC_READ | GENERIC_WRITE,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                                FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_NE(writer.get(), INVALID_HANDLE_VALUE);
  EXPECT_EQ(ws().OpenDatabase(store).error().code, ErrorCode::FileInUse);
}

// The file is named to SQLite as a URI: characters a URI reads as its own
// stay part of the name.
TEST_F(StoreTest, OpensInFoldersWhoseNamesAURIWouldRead) {
  for (const wchar_t* folder : {L"签 50% #1", L"a%20b", L"c;d=e"}) {
    const auto copy = dir.path() / folder / L"veshalib.mdb";
    std::filesystem::create_directories(copy.parent_path());
    std::filesystem::copy_file(store, copy);
    auto db = ws().OpenDatabase(copy.wstring());
    ASSERT_TRUE(db.ok()) << folder;
    EXPECT_TRUE(db->OpenRecordset(L"SELECT id FROM vesha").ok()) << folder;
  }
}

TEST_F(StoreTest, SnapshotReadsRowsByFieldNameUntilEof) {
  Database db = Open();
  auto rs = db.OpenRecordset(L"SELECT bh FROM hanzi WHERE  Zi='子'  ORDER BY clng(bh) ", dbOpenSnapshot);
  ASSERT_TRUE(rs.ok());
  EXPECT_EQ(rs->Fields(L"BH")->AsString(), L"2") << "names in any case";
  rs->MoveNext();
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), L"3");
  rs->MoveNext();
  EXPECT_TRUE(rs->AtEOF());
  EXPECT_EQ(rs->Fields(L"bh").error().code, ErrorCode::NoCurrentRecord);
  EXPECT_EQ(rs->Fields(L"nope").error().code, ErrorCode::ItemNotFound);
  EXPECT_EQ(Column(db.OpenRecordset(L"SELECT content FROM vesha WHERE id=385"), L"content"), Rows{});
}

// Stores no builder writes may hold Null, which reads as no text at all.
TEST_F(StoreTest, NullIsNotTheEmptyString) {
  EXPECT_FALSE(ExecOnStore(store, "INSERT INTO hanzi VALUES ('x', NULL)")) << "the real schema refuses Null";
  ASSERT_TRUE(testing_support::LoosenStore(store));
  ASSERT_TRUE(ExecOnStore(store, "INSERT INTO hanzi VALUES ('x', NULL), ('y', '')"));
  Database db = Open();
  auto rs = db.OpenRecordset(L"SELECT bh FROM hanzi WHERE Zi IN ('x', 'y') ORDER BY Zi");
  ASSERT_TRUE(rs.ok());
  EXPECT_TRUE(rs->Fields(L"bh")->IsNull());
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), std::nullopt);
  rs->MoveNext();
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), L"");
}

// A parameter's value is only ever compared: quotes, backslashes and SQL
// in it match rows holding exactly that text.
TEST_F(StoreTest, QueryDefMatchesParametersLiterally) {
  Database db = Open();
  auto qd = db.CreateQueryDef(L"", kStrokeQuery);
  ASSERT_TRUE(qd.ok());
  const auto strokes = [&](std::optional<std::wstring> zi) {
    *qd->Parameters(0).value() = zi ? Value(*zi) : Value();
    return Column(qd->OpenRecordset(dbOpenSnapshot), L"bh");
  };
  EXPECT_EQ(strokes(std::nullopt), Rows{}) << "Null matches nothing";
  struct Case {
    const wchar_t* zi;
    Rows rows;
  };
  for (const Case& c : {Case{L"'", {L"5"}}, Case{L"\\", {L"6"}}, Case{L"a'b\\", {L"7"}}, Case{L"子", {L"2", L"3"}},
                        Case{L"''", {}}, Case{L"\\'", {}}, Case{L"' OR ''='", {}}, Case{L"'; DROP TABLE hanzi; --", {}}}) {
    EXPECT_EQ(strokes(c.zi), c.rows) << c.zi;
  }
  EXPECT_EQ(qd->Parameters(1).error().code, ErrorCode::ItemNotFound);
  EXPECT_EQ(qd->Parameters(-1).error().code, ErrorCode::ItemNotFound);
  EXPECT_EQ(qd->OpenRecordset(2).error().code, ErrorCode::InvalidArgument);
}

TEST_F(StoreTest, RejectedQueriesAreResultsNotCrashes) {
  Database db = Open();
  struct Case {
    const wchar_t* sql;
    ErrorCode code;
  };
  for (const Case& c : {Case{L"SELEKT nothing", ErrorCode::QueryFailed}, Case{L"SELECT * FROM nowhere", ErrorCode::QueryFailed},
                        Case{L"", ErrorCode::QueryFailed}, Case{L"SELECT 1; DELETE FROM vesha", ErrorCode::CharactersAfterEnd}}) {
    EXPECT_EQ(db.OpenRecordset(c.sql).error().code, c.code) << c.sql;
    EXPECT_EQ(db.CreateQueryDef(L"", c.sql).error().code, c.code) << c.sql;
  }
  EXPECT_TRUE(db.OpenRecordset(L"SELECT 1;  ").ok());
  EXPECT_EQ(db.OpenRecordset(L"SELECT 1", 2).error().code, ErrorCode::InvalidArgument);
}

// clng as the desktop engine's CLng, for each kind of stored value: halves
// to even, errors for what is no number or does not fit in 32 bits.
TEST_F(StoreTest, ClngRoundsHalvesToEvenAndFailsOnNonNumbers) {
  std::optional<Database> db = Open();
  struct Case {
    const wchar_t* arg;
    std::optional<std::wstring> value;
  };
  for (const Case& c : {Case{L"' 12 '", L"12"}, Case{L"2.5", L"2"}, Case{L"3.5", L"4"}, Case{L"'-2.5'", L"-2"},
                        Case{L"2147483647", L"2147483647"}, Case{L"-2147483648", L"-2147483648"},
                        Case{L"2147483648", {}}, Case{L"'2147483647.5'", {}}, Case{L"'12a'", {}}, Case{L"''", {}},
                        Case{L"NULL", {}}, Case{L"x'01'", {}}}) {
    auto rs = db->OpenRecordset(std::wstring(L"SELECT clng(") + c.arg + L") AS v");
    EXPECT_EQ(rs ? rs->Fields(L"v")->AsString() : std::nullopt, c.value) << c.arg;
  }

  // A stroke count that is no number makes the ordered query fail as a whole.
  db.reset();
  ASSERT_TRUE(ExecOnStore(store, "INSERT INTO hanzi VALUES ('z', 'ten')"));
  auto qd = Open().CreateQueryDef(L"", kStrokeQuery);
  ASSERT_TRUE(qd.ok());
  *qd->Parameters(0).value() = Value(std::wstring(L"z"));
  EXPECT_EQ(qd->OpenRecordset(dbOpenSnapshot).error().code, ErrorCode::QueryFailed);
}

}  // namespace
