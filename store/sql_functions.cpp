#include "store/sql_functions.h"

#include <sqlite3.h>

#include <cstdint>
#include <limits>
#include <string_view>

#include "common/numbers.h"

namespace store::detail {
namespace {

void ResultLong(sqlite3_context* ctx, std::optional<std::int32_t> v) {
  if (v)
    sqlite3_result_int64(ctx, *v);
  else
    sqlite3_result_error(ctx, "Overflow", -1);
}

void Clng(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3_value* arg = argv[0];
  switch (sqlite3_value_type(arg)) {
    case SQLITE_INTEGER: {
      const sqlite3_int64 v = sqlite3_value_int64(arg);
      if (v < std::numeric_limits<std::int32_t>::min() ||
          v > std::numeric_limits<std::int32_t>::max())
        ResultLong(ctx, std::nullopt);
      else
        ResultLong(ctx, static_cast<std::int32_t>(v));
      return;
    }
    case SQLITE_FLOAT:
      ResultLong(ctx, num::ToLong(sqlite3_value_double(arg)));
      return;
    case SQLITE_TEXT: {
      const auto* text = static_cast<const wchar_t*>(sqlite3_value_text16(arg));
      const auto bytes = static_cast<size_t>(sqlite3_value_bytes16(arg));
      const auto number = num::ParseNumber(std::wstring_view(text, bytes / sizeof(wchar_t)));
      if (!number) {
        sqlite3_result_error(ctx, "Type mismatch", -1);
        return;
      }
      ResultLong(ctx, num::ToLong(*number));
      return;
    }
    case SQLITE_NULL:
      sqlite3_result_error(ctx, "Invalid use of Null", -1);
      return;
    default:
      sqlite3_result_error(ctx, "Type mismatch", -1);
      return;
  }
}

}  // namespace

bool RegisterSqlFunctions(sqlite3* db) {
  return sqlite3_create_function_v2(db, "clng", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                    &Clng, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace store::detail
