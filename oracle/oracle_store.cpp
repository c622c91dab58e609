#include "oracle/oracle_store.h"

#include "store/engine.h"

namespace oracle {
namespace {

constexpr long long kTableCount = 2;

// A store that lacks either table is not the oracle's, whichever of its
// functions asks: reading it would only find rows missing.
bool HoldsBothTables(store::Database& db) {
  auto rs = db.OpenRecordset(
      L"SELECT count(*) AS n FROM sqlite_master WHERE type='table' AND name IN ('vesha', 'hanzi')");
  if (!rs) return false;
  auto n = rs->Fields(L"n");
  return n && n->AsString() == std::to_wstring(kTableCount);
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
