#pragma once
// SQL functions of the desktop engine that the program's queries use.
struct sqlite3;

namespace store::detail {

// clng(x): x rounded to a 32-bit integer, halves to even; an error for text
// that is not a number, for Null and for values outside the range.
bool RegisterSqlFunctions(sqlite3* db);

}  // namespace store::detail
