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

namespace {

constexpr wchar_t kStrokeQuery[] = L"SELECT bh FROM hanzi WHERE  Zi=?  ORDER BY clng(bh) ";
using Rows = std::vector<std::wstring>;

// Each row's value of the one field, as text.
Rows Column(Result<Recordset> rs, const wchar_t* field) {
  if (!rs) return {L"(the query failed)"};
  Rows values;
  for (; !rs->AtEOF(); rs->MoveNext()) values.push_back(rs->Fields(field)->AsString().value_or(L"(Null)"));
  return values;
}

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一"}}, {{L"子", L"3"}, {L"子", L"2"}, {L"'", L"5"},
                                                                    {L"\\", L"6"}, {L"a'b\\", L"7"}}));
  }
  Workspace& ws() { return *DBEngine().Workspaces(0).value(); }
  Database Open() {
    auto db = ws().OpenDatabase(store);
    EXPECT_TRUE(db.ok());
    return std::move(db).value();
  }

  testing_support::TempDir dir;
  std::wstring store = dir.File(L"veshalib.mdb");
};

// Opening only reads: a missing file is not made, a store not changed.
// (What is no store the hostile-store tests refuse.)
TEST_F(StoreTest, OpeningNeverCreatesOrChangesAFile) {
  EXPECT_EQ(ws().OpenDatabase(dir.File(L"missing.mdb"), true, false).error().code, ErrorCode::FileNotFound);
  EXPECT_FALSE(std::filesystem::exists(dir.File(L"missing.mdb")));
  const auto before = std::filesystem::last_write_time(store);
  const auto size = std::filesystem::file_size(store);
  {
    Database db = std::move(ws().OpenDatabase(store, true, false)).value();
    EXPECT_FALSE(db.OpenRecordset(L"DELETE FROM vesha").ok());
    EXPECT_FALSE(db.OpenRecordset(L"CREATE TABLE t (x)").ok());
    EXPECT_EQ(db.CreateQueryDef(L"saved", L"SELECT 1").error().code, ErrorCode::ReadOnly);
  }
  EXPECT_EQ(std::filesystem::last_write_time(store), before);
  EXPECT_EQ(std::filesystem::file_size(store), size);
  EXPECT_FALSE(ExecOnStore(store, "INSERT INTO hanzi VALUES ('x', NULL)")) << "the schema refuses Null";
}

// The store never changes under a reader: while it is open no one may
// write it, and a store that another program has open for writing is in
// use. Other readers are welcome.
TEST_F(StoreTest, AnOpenStoreIsKeptFromWritersAndOneBeingWrittenIsInUse) {
  const char* kInsert = "INSERT INTO vesha VALUES (3, x'00')";
  {
    Database db = Open();
    EXPECT_FALSE(ExecOnStore(store, kInsert));
    EXPECT_TRUE(Open().OpenRecordset(L"SELECT id FROM vesha").ok());
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
    EXPECT_EQ(Column(db->OpenRecordset(L"SELECT id FROM vesha"), L"id"), Rows{L"1"}) << folder;
  }
}

// A parameter's value is only ever compared: quotes, backslashes and SQL
// in it match rows holding exactly that text, in the query's order.
TEST_F(StoreTest, QueryDefMatchesParametersLiterally) {
  Database db = Open();
  auto qd = db.CreateQueryDef(L"", kStrokeQuery);
  ASSERT_TRUE(qd.ok());
  const auto strokes = [&](std::optional<std::wstring> zi) {
    *qd->Parameters(0).value() = zi ? Value(*zi) : Value();
    return Column(qd->OpenRecordset(dbOpenSnapshot), L"bh");
  };
  EXPECT_EQ(strokes(std::nullopt), Rows{}) << "Null matches nothing";
  for (const auto& [zi, rows] : {std::pair{L"'", Rows{L"5"}}, {L"\\", {L"6"}}, {L"a'b\\", {L"7"}},
                                 {L"子", {L"2", L"3"}}, {L"''", {}}, {L"\\'", {}}, {L"' OR ''='", {}},
                                 {L"'; DROP TABLE hanzi; --", {}}})
    EXPECT_EQ(strokes(zi), rows) << zi;
  EXPECT_EQ(qd->Parameters(1).error().code, ErrorCode::ItemNotFound);
  EXPECT_EQ(qd->Parameters(-1).error().code, ErrorCode::ItemNotFound);

  // Past the last row, or by a name the query has not, there is no field.
  *qd->Parameters(0).value() = Value(std::wstring(L"'"));
  auto rs = qd->OpenRecordset(dbOpenSnapshot);
  ASSERT_TRUE(rs.ok());
  EXPECT_EQ(rs->Fields(L"nope").error().code, ErrorCode::ItemNotFound);
  rs->MoveNext();
  EXPECT_TRUE(rs->AtEOF());
  EXPECT_EQ(rs->Fields(L"bh").error().code, ErrorCode::NoCurrentRecord);
}

TEST_F(StoreTest, RejectedQueriesAreResultsNotCrashes) {
  Database db = Open();
  for (const auto& [sql, code] : {std::pair{L"SELEKT nothing", ErrorCode::QueryFailed},
                                  {L"SELECT * FROM nowhere", ErrorCode::QueryFailed}, {L"", ErrorCode::QueryFailed},
                                  {L"SELECT 1; DELETE FROM vesha", ErrorCode::CharactersAfterEnd}}) {
    EXPECT_EQ(db.OpenRecordset(sql).error().code, code) << sql;
    EXPECT_EQ(db.CreateQueryDef(L"", sql).error().code, code) << sql;
  }
  EXPECT_TRUE(db.OpenRecordset(L"SELECT 1;  ").ok());
}

// clng as the desktop engine's CLng, for each kind of stored value: halves
// to even, errors for what is no number or does not fit in 32 bits.
TEST_F(StoreTest, ClngRoundsHalvesToEvenAndFailsOnNonNumbers) {
  Database db = Open();
  using Text = std::optional<std::wstring>;
  for (const auto& [arg, value] :
       {std::pair{L"' 12 '", Text{L"12"}}, {L"2.5", L"2"}, {L"3.5", L"4"}, {L"'-2.5'", L"-2"},
        {L"2147483647", L"2147483647"}, {L"-2147483648", L"-2147483648"}, {L"2147483648", {}},
        {L"'2147483647.5'", {}}, {L"'12a'", {}}, {L"''", {}}, {L"NULL", {}}, {L"x'01'", {}}}) {
    auto rs = db.OpenRecordset(std::wstring(L"SELECT clng(") + arg + L") AS v");
    EXPECT_EQ(rs ? rs->Fields(L"v")->AsString() : std::nullopt, value) << arg;
  }
}

}  // namespace
