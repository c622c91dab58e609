#include "oracle/oracle_store.h"

#include "store/engine.h"

namespace oracle {

std::optional<store::Database> OpenOracleStore(const std::wstring& appPath, std::wstring_view connect) {
  auto ws = store::DBEngine().Workspaces(0);
  if (!ws) return std::nullopt;
  auto opened = ws.value()->OpenDatabase(appPath + std::wstring(kStoreFileName), false, false, connect);
  if (!opened) return std::nullopt;
  return std::move(opened).value();
}

}  // namespace oracle
