#include "oracle/store_writer.h"

#include <sqlite3.h>

#include "common/codepage.h"

namespace oracle {
namespace {

// Every field is required: the program reads a missing text or count as a
// broken store, so the builder must not be able to write one.
constexpr const char* kSchema =
    "CREATE TABLE vesha (id INTEGER PRIMARY KEY, content BLOB NOT NULL);"
    "CREATE TABLE hanzi (Zi TEXT NOT NULL, bh TEXT NOT NULL);"
    "CREATE INDEX hanzi_Zi ON hanzi (Zi);";

struct FinalizeStatement {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using unique_statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

unique_statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  sqlite3_prepare_v2(db, sql, -1, &raw, nullptr);
  return unique_statement(raw);
}

bool BindText(sqlite3_stmt* s, int position, std::wstring_view text) {
  return sqlite3_bind_text16(s, position, text.data(), static_cast<int>(text.size() * sizeof(wchar_t)),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}

}  // namespace

void StoreWriter::CloseDatabase::operator()(sqlite3* db) const { sqlite3_close(db); }

std::optional<StoreWriter> StoreWriter::Create(const std::filesystem::path& path, std::string& error) {
  std::error_code ec;
  std::filesystem::remove(path, ec);
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(win::ToUtf8(path.wstring()).c_str(), &raw,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  StoreWriter writer{std::unique_ptr<sqlite3, CloseDatabase>(raw)};
  if (rc != SQLITE_OK || !writer.Exec(kSchema) || !writer.Exec("BEGIN")) {
    error = writer.LastError();
    return std::nullopt;
  }
  return writer;
}

bool StoreWriter::AddLot(int id, std::string_view content) {
  const auto s = Prepare(db_.get(), "INSERT INTO vesha (id, content) VALUES (?1, ?2)");
  return s && sqlite3_bind_int(s.get(), 1, id) == SQLITE_OK &&
         sqlite3_bind_blob(s.get(), 2, content.data(), static_cast<int>(content.size()), SQLITE_TRANSIENT) ==
             SQLITE_OK &&
         sqlite3_step(s.get()) == SQLITE_DONE;
}

bool StoreWriter::AddCharacter(std::wstring_view zi, std::wstring_view strokes) {
  const auto s = Prepare(db_.get(), "INSERT INTO hanzi (Zi, bh) VALUES (?1, ?2)");
  return s && BindText(s.get(), 1, zi) && BindText(s.get(), 2, strokes) && sqlite3_step(s.get()) == SQLITE_DONE;
}

bool StoreWriter::Commit() { return Exec("COMMIT"); }

std::string StoreWriter::LastError() const { return db_ ? sqlite3_errmsg(db_.get()) : "out of memory"; }

bool StoreWriter::Exec(const char* sql) {
  return db_ && sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace oracle
