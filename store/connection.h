#pragma once
// Private to the store layer: the one place that sees SQLite.
#include <sqlite3.h>

namespace store::detail {

// An open SQLite connection; closing it leaves a closed husk that every
// operation can recognise.
struct Connection {
  sqlite3* db = nullptr;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { Close(); }

  bool IsOpen() const { return db != nullptr; }
  void Close() {
    if (db) sqlite3_close_v2(db);
    db = nullptr;
  }
};

}  // namespace store::detail
