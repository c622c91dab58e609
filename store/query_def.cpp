#include "store/query_def.h"

#include "store/connection.h"
#include "store/statement.h"

namespace store {
namespace {

// Binds one value as the store would hold it; the statement copies it.
class Binder {
 public:
  Binder(sqlite3_stmt* stmt, int position) : stmt_(stmt), position_(position) {}

  int operator()(Null) const { return sqlite3_bind_null(stmt_, position_); }
  int operator()(long long v) const { return sqlite3_bind_int64(stmt_, position_, v); }
  int operator()(double v) const { return sqlite3_bind_double(stmt_, position_, v); }
  int operator()(const std::wstring& v) const {
    return sqlite3_bind_text16(stmt_, position_, v.data(), static_cast<int>(v.size() * sizeof(wchar_t)),
                               SQLITE_TRANSIENT);
  }
  int operator()(const Value::Bytes& v) const {
    return sqlite3_bind_blob(stmt_, position_, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
  }

 private:
  sqlite3_stmt* stmt_;
  int position_;
};

}  // namespace

QueryDef::QueryDef(std::shared_ptr<detail::Connection> connection, detail::unique_statement statement)
    : connection_(std::move(connection)),
      statement_(std::move(statement)),
      parameters_(static_cast<size_t>(sqlite3_bind_parameter_count(statement_.get()))) {}
QueryDef::QueryDef(QueryDef&&) noexcept = default;
QueryDef& QueryDef::operator=(QueryDef&&) noexcept = default;
QueryDef::~QueryDef() = default;

Result<Value*> QueryDef::Parameters(int index) {
  if (index < 0 || static_cast<size_t>(index) >= parameters_.size())
    return Error{ErrorCode::ItemNotFound, L"Item not found in this collection."};
  return &parameters_[static_cast<size_t>(index)];
}

Result<Recordset> QueryDef::OpenRecordset(int type) {
  if (type != dbOpenSnapshot)
    return Error{ErrorCode::InvalidArgument, L"Only snapshot recordsets are available."};
  if (!connection_ || !statement_) return Error{ErrorCode::ObjectClosed, L"The query is closed."};
  sqlite3_stmt* stmt = statement_.get();
  // SQLite numbers its parameters from 1.
  for (size_t i = 0; i < parameters_.size(); ++i)
    if (parameters_[i].Visit(Binder(stmt, static_cast<int>(i) + 1)) != SQLITE_OK)
      return Error{ErrorCode::QueryFailed, static_cast<const wchar_t*>(sqlite3_errmsg16(connection_->db))};
  return detail::ReadAll(connection_->db, stmt);
}

}  // namespace store
