#pragma once
// A temporary query definition: one statement compiled once and run again
// with each set of parameter values. Values are bound, never written into
// the query's text, so no value can change what the query does.
#include <memory>
#include <vector>

#include "store/recordset.h"
#include "store/result.h"
#include "store/unique_statement.h"
#include "store/value.h"

namespace store {

namespace detail {
struct Connection;
}

class QueryDef {
 public:
  QueryDef(std::shared_ptr<detail::Connection> connection, detail::unique_statement statement);
  QueryDef(QueryDef&&) noexcept;
  QueryDef& operator=(QueryDef&&) noexcept;
  ~QueryDef();

  // The value of the index-th "?" of the query, counted from 0; Null until
  // it is set.
  Result<Value*> Parameters(int index);

  // Runs the query with the values as they are set now.
  Result<Recordset> OpenRecordset(int type);

 private:
  // Declared first so that the statement is finalized before the
  // connection it belongs to can close.
  std::shared_ptr<detail::Connection> connection_;
  detail::unique_statement statement_;
  std::vector<Value> parameters_;
};

}  // namespace store
