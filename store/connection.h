#pragma once
// Private to the store layer: the one place that sees SQLite.
#include <sqlite3.h>

#include "common/unique_handle.h"

namespace store::detail {

// An open SQLite connection, shared by the database and the query
// definitions made from it. While it lasts, the file is held so that no
// one may write it.
struct Connection {
  sqlite3* db = nullptr;
  win::unique_handle writeGuard;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { sqlite3_close_v2(db); }
};

}  // namespace store::detail
