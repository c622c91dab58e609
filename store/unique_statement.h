#pragma once
// An owned compiled statement. Users of the layer may hold one inside a
// query definition but never see SQLite itself.
#include <memory>

struct sqlite3_stmt;

namespace store::detail {

struct FinalizeStatement {
  void operator()(sqlite3_stmt* s) const;
};
using unique_statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

}  // namespace store::detail
