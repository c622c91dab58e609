#pragma once
// Private to the store layer: preparing one statement and reading its rows.
#include <string_view>

#include "store/connection.h"
#include "store/recordset.h"
#include "store/result.h"
#include "store/unique_statement.h"

namespace store::detail {

// One SQL statement, compiled as given; blanks and statement ends may
// follow it, nothing else.
Result<unique_statement> Prepare(Connection& connection, std::wstring_view sql);

// Steps the statement to its end and keeps every row; the statement is
// reset afterwards, its bindings kept.
Result<Recordset> ReadAll(sqlite3* db, sqlite3_stmt* stmt);

}  // namespace store::detail
