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
using testing_support::TempDir;

namespace {

class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WriteStore(store, {{1, L"第一"}, {2, L"第二"}},
                                            {{L"一", L"1"}, {L"子", L"3"}, {L"子", L"2"}}));
  }
  Workspace& ws() { return *DBEngine().Workspaces(0).value(); }
  Database Open(std::wstring_view connect = {}) {
    auto db = ws().OpenDatabase(store, false, false, connect);
    EXPECT_TRUE(db.ok()) << (db.ok() ? L"" : db.error().description).size();
    return std::move(db).value();
  }

  TempDir dir;
  std::wstring store = dir.File(L"veshalib.mdb");
};

TEST_F(StoreTest, EngineIsSharedAndHasOnlyWorkspaceZero) {
  EXPECT_EQ(&DBEngine(), &DBEngine());
  EXPECT_EQ(DBEngine().Workspaces(0).value(), DBEngine().Workspaces(0).value());
  EXPECT_EQ(DBEngine().Workspaces(1).error().code, ErrorCode::ItemNotFound);
  EXPECT_EQ(DBEngine().Workspaces(-1).error().code, ErrorCode::ItemNotFound);
}

TEST_F(StoreTest, OpenFailsForMissingFilesAndFilesThatAreNoStore) {
  EXPECT_EQ(ws().OpenDatabase(dir.File(L"missing.mdb")).error().code, ErrorCode::FileNotFound);
  EXPECT_EQ(ws().OpenDatabase(L"").error().code, ErrorCode::FileNotFound);
  EXPECT_EQ(ws().OpenDatabase(dir.AppPath()).error().code, ErrorCode::FileNotFound);

  const auto text = dir.File(L"text.mdb");
  ASSERT_TRUE(testing_support::WriteFile(text, std::string(4096, 'x')));
  EXPECT_EQ(ws().OpenDatabase(text).error().code, ErrorCode::NotADatabase);
  const auto empty = dir.File(L"empty.mdb");
  ASSERT_TRUE(testing_support::WriteFile(empty, ""));
  EXPECT_EQ(ws().OpenDatabase(empty).error().code, ErrorCode::NotADatabase);
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
    EXPECT_FALSE(testing_support::ExecOnStore(store, kInsert));
    Database again = Open();
    EXPECT_TRUE(again.OpenRecordset(L"SELECT id FROM vesha").ok());
  }
  EXPECT_TRUE(testing_support::ExecOnStore(store, kInsert)) << "closed, the store is free again";

  // Another program with the store open for writing, sharing it.
  HANDLE file = ::CreateFileW(store.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  const win::unique_handle writer(file);
  const auto inUse = ws().OpenDatabase(store);
  ASSERT_FALSE(inUse.ok());
  EXPECT_EQ(inUse.error().code, ErrorCode::FileInUse);
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

TEST_F(StoreTest, ConnectStringsWithAndWithoutPassword) {
  for (const wchar_t* connect : {L"", L"; pwd= 52804163 ", L";PWD=x", L"MS Access;pwd=", L";;"}) {
    EXPECT_TRUE(ws().OpenDatabase(store, false, false, connect).ok()) << connect;
  }
  for (const wchar_t* connect : {L";pwd", L"; =x", L"a=b;junk"}) {
    EXPECT_EQ(ws().OpenDatabase(store, false, false, connect).error().code,
              ErrorCode::InvalidConnectString);
  }
}

TEST_F(StoreTest, SnapshotReadsRowsByFieldNameUntilEof) {
  Database db = Open();
  auto rs = db.OpenRecordset(L"SELECT bh FROM hanzi WHERE  Zi='子'  ORDER BY clng(bh) ", dbOpenSnapshot);
  ASSERT_TRUE(rs.ok());
  ASSERT_FALSE(rs->AtEOF());
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), L"2");
  EXPECT_EQ(rs->Fields(L"BH")->AsString(), L"2");
  rs->MoveNext();
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), L"3");
  rs->MoveNext();
  EXPECT_TRUE(rs->AtEOF());
  EXPECT_EQ(rs->Fields(L"bh").error().code, ErrorCode::NoCurrentRecord);
  EXPECT_EQ(rs->Fields(L"nope").error().code, ErrorCode::ItemNotFound);

  auto none = db.OpenRecordset(L"SELECT content FROM vesha WHERE id=385");
  ASSERT_TRUE(none.ok());
  EXPECT_TRUE(none->AtEOF());
}

TEST_F(StoreTest, SnapshotKeepsItsRowsAfterTheDatabaseCloses) {
  Database db = Open();
  auto rs = db.OpenRecordset(L"SELECT id FROM vesha ORDER BY id");
  ASSERT_TRUE(rs.ok());
  db.Close();
  EXPECT_EQ(rs->RecordCount(), 2u);
  EXPECT_EQ(rs->Fields(L"id")->AsString(), L"1");
  EXPECT_EQ(db.OpenRecordset(L"SELECT 1").error().code, ErrorCode::ObjectClosed);
  rs->Close();
  EXPECT_TRUE(rs->AtEOF());
  EXPECT_EQ(rs->Fields(L"id").error().code, ErrorCode::ObjectClosed);
}

TEST_F(StoreTest, ClosingTheWorkspaceClosesItsDatabases) {
  Database db = Open();
  ws().Close();
  EXPECT_EQ(db.OpenRecordset(L"SELECT 1").error().code, ErrorCode::ObjectClosed);
  EXPECT_TRUE(Open().OpenRecordset(L"SELECT 1").ok());
}

TEST_F(StoreTest, NullIsNotTheEmptyString) {
  ASSERT_TRUE(testing_support::ExecOnStore(store, "INSERT INTO hanzi VALUES ('x', NULL), ('y', '')"));
  Database db = Open();
  auto rs = db.OpenRecordset(L"SELECT Zi, bh FROM hanzi WHERE Zi IN ('x', 'y') ORDER BY Zi");
  ASSERT_TRUE(rs.ok());
  EXPECT_TRUE(rs->Fields(L"bh")->IsNull());
  EXPECT_FALSE(rs->Fields(L"bh")->AsString().has_value());
  rs->MoveNext();
  EXPECT_FALSE(rs->Fields(L"bh")->IsNull());
  EXPECT_EQ(rs->Fields(L"bh")->AsString(), L"");
}

TEST_F(StoreTest, RejectedQueriesAreResultsNotCrashes) {
  Database db = Open();
  EXPECT_EQ(db.OpenRecordset(L"SELEKT nothing").error().code, ErrorCode::QueryFailed);
  EXPECT_EQ(db.OpenRecordset(L"SELECT * FROM nowhere").error().code, ErrorCode::QueryFailed);
  EXPECT_EQ(db.OpenRecordset(L"").error().code, ErrorCode::QueryFailed);
  EXPECT_EQ(db.OpenRecordset(L"SELECT 1; DELETE FROM vesha").error().code,
            ErrorCode::CharactersAfterEnd);
  EXPECT_TRUE(db.OpenRecordset(L"SELECT 1;  ").ok());
  EXPECT_EQ(db.OpenRecordset(L"SELECT 1", 2).error().code, ErrorCode::InvalidArgument);
}

// clng as the desktop engine's CLng: halves to even, errors for what is no
// number or does not fit in 32 bits.
TEST_F(StoreTest, ClngRoundsHalvesToEvenAndFailsOnNonNumbers) {
  std::optional<Database> db = Open();
  const auto clng = [&](const wchar_t* arg) -> std::optional<std::wstring> {
    auto rs = db->OpenRecordset(std::wstring(L"SELECT clng(") + arg + L") AS v");
    if (!rs.ok()) return std::nullopt;
    return rs->Fields(L"v")->AsString();
  };
  EXPECT_EQ(clng(L"'12'"), L"12");
  EXPECT_EQ(clng(L"' 7 '"), L"7");
  EXPECT_EQ(clng(L"2.5"), L"2");
  EXPECT_EQ(clng(L"3.5"), L"4");
  EXPECT_EQ(clng(L"'-2.5'"), L"-2");
  EXPECT_EQ(clng(L"'0.5'"), L"0");
  EXPECT_EQ(clng(L"'1e2'"), L"100");
  EXPECT_EQ(clng(L"2147483647"), L"2147483647");
  EXPECT_EQ(clng(L"-2147483648"), L"-2147483648");
  EXPECT_EQ(clng(L"2147483648"), std::nullopt);
  EXPECT_EQ(clng(L"'2147483647.5'"), std::nullopt);
  EXPECT_EQ(clng(L"'abc'"), std::nullopt);
  EXPECT_EQ(clng(L"'12a'"), std::nullopt);
  EXPECT_EQ(clng(L"'.'"), std::nullopt);
  EXPECT_EQ(clng(L"''"), std::nullopt);
  EXPECT_EQ(clng(L"NULL"), std::nullopt);

  // A stroke count that is no number makes the ordered query fail as a whole.
  db.reset();
  ASSERT_TRUE(testing_support::ExecOnStore(store, "INSERT INTO hanzi VALUES ('z', 'ten')"));
  Database again = Open();
  EXPECT_FALSE(again.OpenRecordset(L"SELECT bh FROM hanzi WHERE  Zi='z'  ORDER BY clng(bh) ").ok());
}

}  // namespace
