#include "support/store_maker.h"

#include <sqlite3.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "common/codepage.h"
#include "oracle/oracle_text.h"

namespace testing_support {
namespace {

class Db {
 public:
  explicit Db(const std::wstring& path) {
    if (sqlite3_open_v2(win::ToUtf8(path).c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
      sqlite3_close(db_);
      db_ = nullptr;
    }
  }
  Db(const Db&) = delete;
  Db& operator=(const Db&) = delete;
  ~Db() { sqlite3_close(db_); }

  bool Exec(const std::string& sql) {
    return db_ && sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  bool Insert(const char* sql, const std::string& a, const std::string& b, bool bBlob) {
    sqlite3_stmt* s = nullptr;
    if (!db_ || sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK) return false;
    sqlite3_bind_text(s, 1, a.c_str(), -1, SQLITE_TRANSIENT);
    if (bBlob)
      sqlite3_bind_blob(s, 2, b.data(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
    else
      sqlite3_bind_text(s, 2, b.c_str(), -1, SQLITE_TRANSIENT);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_finalize(s);
    return ok;
  }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace

bool WriteStore(const std::wstring& path, const std::vector<StoreLot>& lots,
                const std::vector<StoreChar>& chars) {
  ::DeleteFileW(path.c_str());
  Db db(path);
  if (!db.Exec("CREATE TABLE vesha (id INTEGER PRIMARY KEY, content BLOB);"
               "CREATE TABLE hanzi (Zi TEXT, bh TEXT); CREATE INDEX hanzi_Zi ON hanzi (Zi);"))
    return false;
  for (const auto& lot : lots) {
    const auto stored = oracle::ScrambleOracleText(lot.text, oracle::kTextKey);
    if (!stored) return false;
    if (!db.Insert("INSERT INTO vesha (id, content) VALUES (CAST(?1 AS INTEGER), ?2)",
                   std::to_string(lot.id), *stored, true))
      return false;
  }
  for (const auto& c : chars)
    if (!db.Insert("INSERT INTO hanzi (Zi, bh) VALUES (?1, ?2)", win::ToUtf8(c.zi), win::ToUtf8(c.bh), false))
      return false;
  return true;
}

bool ExecOnStore(const std::wstring& path, const std::string& sql) {
  Db db(path);
  return db.Exec(sql);
}

bool WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace testing_support
