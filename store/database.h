#pragma once
// An open store.
#include <memory>
#include <string_view>

#include "store/query_def.h"
#include "store/recordset.h"
#include "store/result.h"

namespace store {

namespace detail {
struct Connection;
}

class Database {
 public:
  explicit Database(std::shared_ptr<detail::Connection> connection);
  Database(Database&&) noexcept;
  Database& operator=(Database&&) noexcept;
  ~Database();

  // Runs one SQL statement as given and reads all its rows.
  Result<Recordset> OpenRecordset(std::wstring_view sql, int type = dbOpenSnapshot);

  // A query to run with parameters. Only temporary definitions, named "",
  // exist: the store is never changed, so nothing can be saved in it.
  Result<QueryDef> CreateQueryDef(std::wstring_view name, std::wstring_view sql);

 private:
  std::shared_ptr<detail::Connection> connection_;
};

}  // namespace store
