#include "oracle/oracle_store.h"

#include "store/engine.h"

namespace oracle {
namespace {

// A store that lacks either table, or a column the program reads, is not
// the oracle's, whichever of its functions asks: reading it would only
// find rows missing. Queries that return no row ask the engine for the
// shape alone.
constexpr const wchar_t* kShapeQueries[] = {L"SELECT id, content FROM vesha WHERE 0 = 1",
                                            L"SELECT Zi, bh FROM hanzi WHERE 0 = 1"};

bool HoldsBothTables(store::Database& db) {
  for (const wchar_t* sql : kShapeQueries)
    if (!db.OpenRecordset(sql)) return false;
  return true;
}

}  // namespace

std::optional<store::Database> OpenOracleStore(const std::wstring& appPath, std::wstring_view connect) {
  auto ws = store::DBEngine().Workspaces(0);
  if (!ws) return std::nullopt;
  auto opened = ws.value()->OpenDatabase(appPath + std::wstring(kStoreFileName), false, false, connect);
  if (!opened || !HoldsBothTables(opened.value())) return std::nullopt;
  return std::move(opened).value();
}

}  // namespace oracle
