#pragma once
// An open store.
#include <memory>
#include <string_view>

#include "dao_recordset.h"
#include "dao_result.h"

namespace dao {

namespace detail {
struct Connection;
}

// Recordset types of the desktop engine; the layer offers snapshots only.
inline constexpr int dbOpenSnapshot = 4;

class Database {
 public:
  explicit Database(std::shared_ptr<detail::Connection> connection);
  Database(Database&&) noexcept;
  Database& operator=(Database&&) noexcept;
  ~Database();

  // Runs one SQL statement as given and reads all its rows.
  Result<Recordset> OpenRecordset(std::wstring_view sql, int type = dbOpenSnapshot);
  void Close();

 private:
  std::shared_ptr<detail::Connection> connection_;
};

}  // namespace dao
