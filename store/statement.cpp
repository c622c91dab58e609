#include "store/statement.h"

#include <cwctype>
#include <string>
#include <vector>

namespace store::detail {
namespace {

std::wstring LastError(sqlite3* db) { return static_cast<const wchar_t*>(sqlite3_errmsg16(db)); }

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

void FinalizeStatement::operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }

Result<unique_statement> Prepare(Connection& connection, std::wstring_view sql) {
  // prepare16 reads up to the first terminator; the text is copied so the
  // statement sees exactly what was given.
  const std::wstring text(sql);
  sqlite3_stmt* raw = nullptr;
  const void* tail = nullptr;
  const int rc = sqlite3_prepare16_v2(connection.db, text.c_str(),
                                      static_cast<int>(text.size() * sizeof(wchar_t)), &raw, &tail);
  unique_statement stmt(raw);
  if (rc != SQLITE_OK) return Error{ErrorCode::QueryFailed, LastError(connection.db)};
  if (!stmt) return Error{ErrorCode::QueryFailed, L"The query is empty."};
  if (!OnlyEndFollows(static_cast<const wchar_t*>(tail)))
    return Error{ErrorCode::CharactersAfterEnd, L"Characters found after end of SQL statement."};
  return stmt;
}

Result<Recordset> ReadAll(sqlite3* db, sqlite3_stmt* stmt) {
  const int columns = sqlite3_column_count(stmt);
  std::vector<std::wstring> names;
  for (int i = 0; i < columns; ++i)
    names.emplace_back(static_cast<const wchar_t*>(sqlite3_column_name16(stmt, i)));

  std::vector<std::vector<Value>> rows;
  int step = SQLITE_ROW;
  while ((step = sqlite3_step(stmt)) == SQLITE_ROW) {
    std::vector<Value> row;
    row.reserve(static_cast<size_t>(columns));
    for (int i = 0; i < columns; ++i) row.push_back(ColumnValue(stmt, i));
    rows.push_back(std::move(row));
  }
  // The message belongs to the failed step; reset would replace it.
  std::wstring failure = step == SQLITE_DONE ? L"" : LastError(db);
  sqlite3_reset(stmt);
  if (step != SQLITE_DONE) return Error{ErrorCode::QueryFailed, std::move(failure)};
  return Recordset(std::move(names), std::move(rows));
}

}  // namespace store::detail
