#include "store/database.h"

#include <cwctype>
#include <memory>
#include <string>
#include <vector>

#include "store/connection.h"

namespace store {
namespace {

struct FinalizeStatement {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using unique_statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

std::wstring LastError(sqlite3* db) {
  return static_cast<const wchar_t*>(sqlite3_errmsg16(db));
}

// Only blanks and statement ends may follow the one statement.
bool OnlyEndFollows(const wchar_t* tail) {
  for (; tail && *tail; ++tail)
    if (!std::iswspace(*tail) && *tail != L';') return false;
  return true;
}

Value ColumnValue(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      return Value(static_cast<long long>(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return Value(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT: {
      const auto* text = static_cast<const wchar_t*>(sqlite3_column_text16(stmt, i));
      const auto bytes = static_cast<size_t>(sqlite3_column_bytes16(stmt, i));
      return Value(std::wstring(text, bytes / sizeof(wchar_t)));
    }
    case SQLITE_BLOB: {
      const auto* data = static_cast<const char*>(sqlite3_column_blob(stmt, i));
      const auto bytes = static_cast<size_t>(sqlite3_column_bytes(stmt, i));
      return Value::FromBytes(data ? Value::Bytes(data, bytes) : Value::Bytes());
    }
    default:
      return Value();
  }
}

}  // namespace

Database::Database(std::shared_ptr<detail::Connection> connection)
    : connection_(std::move(connection)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Result<Recordset> Database::OpenRecordset(std::wstring_view sql, int type) {
  if (type != dbOpenSnapshot)
    return Error{ErrorCode::InvalidArgument, L"Only snapshot recordsets are available."};
  if (!connection_ || !connection_->IsOpen())
    return Error{ErrorCode::ObjectClosed, L"The database is closed."};
  sqlite3* db = connection_->db;

  // prepare16 reads up to the first terminator; the text is copied so the
  // statement sees exactly what was given.
  const std::wstring text(sql);
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc = sqlite3_prepare16_v2(db, text.c_str(), static_cast<int>(text.size() * sizeof(wchar_t)),
                                      &raw, &tail);
  unique_statement stmt(raw);
  if (rc != SQLITE_OK) return Error{ErrorCode::QueryFailed, LastError(db)};
  if (!stmt) return Error{ErrorCode::QueryFailed, L"The query is empty."};
  if (!OnlyEndFollows(static_cast<const wchar_t*>(tail)))
    return Error{ErrorCode::CharactersAfterEnd, L"Characters found after end of SQL statement."};

  const int columns = sqlite3_column_count(stmt.get());
  std::vector<std::wstring> names;
  for (int i = 0; i < columns; ++i)
    names.emplace_back(static_cast<const wchar_t*>(sqlite3_column_name16(stmt.get(), i)));

  std::vector<std::vector<Value>> rows;
  while (true) {
    const int step = sqlite3_step(stmt.get());
    if (step == SQLITE_DONE) break;
    if (step != SQLITE_ROW) return Error{ErrorCode::QueryFailed, LastError(db)};
    std::vector<Value> row;
    row.reserve(static_cast<size_t>(columns));
    for (int i = 0; i < columns; ++i) row.push_back(ColumnValue(stmt.get(), i));
    rows.push_back(std::move(row));
  }
  return Recordset(std::move(names), std::move(rows));
}

void Database::Close() {
  if (connection_) connection_->Close();
  connection_.reset();
}

}  // namespace store
