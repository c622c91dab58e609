#pragma once
// An open store.
#include <memory>
#include <string_view>

#include "store/recordset.h"
#include "store/result.h"

namespace store {

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

}  // namespace store
