#include "store/database.h"

#include "store/connection.h"
#include "store/statement.h"

namespace store {
namespace {

Error Closed() { return Error{ErrorCode::ObjectClosed, L"The database is closed."}; }

}  // namespace

Database::Database(std::shared_ptr<detail::Connection> connection)
    : connection_(std::move(connection)) {}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Result<Recordset> Database::OpenRecordset(std::wstring_view sql, int type) {
  if (type != dbOpenSnapshot)
    return Error{ErrorCode::InvalidArgument, L"Only snapshot recordsets are available."};
  if (!connection_) return Closed();
  auto stmt = detail::Prepare(*connection_, sql);
  if (!stmt) return stmt.error();
  return detail::ReadAll(connection_->db, stmt->get());
}

Result<QueryDef> Database::CreateQueryDef(std::wstring_view name, std::wstring_view sql) {
  if (!name.empty()) return Error{ErrorCode::ReadOnly, L"Cannot update. Database or object is read-only."};
  if (!connection_) return Closed();
  auto stmt = detail::Prepare(*connection_, sql);
  if (!stmt) return stmt.error();
  return QueryDef(connection_, std::move(stmt).value());
}

}  // namespace store
