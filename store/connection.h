#pragma once
// Private to the store layer: the one place that sees SQLite.
#include <sqlite3.h>

#include "common/unique_handle.h"

namespace store::detail {

// An open SQLite connection; closing it leaves a closed husk that every
// operation can recognise. While it is open, the file is held so that no
// one may write it.
struct Connection {
  sqlite3* db = nullptr;
  win::unique_handle writeGuard;

  Connection() = default;
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;
  ~Connection() { Close(); }

  bool IsOpen() const { return db != nullptr; }
  void Close() {
    if (db) sqlite3_close_v2(db);
    db = nullptr;
    writeGuard.reset();
  }
};

}  // namespace store::detail
