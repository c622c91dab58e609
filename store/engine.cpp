#include "store/engine.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "common/codepage.h"
#include "store/connect_string.h"
#include "store/connection.h"
#include "store/sql_functions.h"

namespace store {
namespace {

bool IsFile(const std::wstring& name) {
  const DWORD attributes = ::GetFileAttributesW(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A store has at least one page; SQLite would take an empty file, or one
// it cannot read, for a database until it is first queried.
bool HoldsStore(sqlite3* db) {
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &stmt, nullptr) != SQLITE_OK) return false;
  const bool ok = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_int64(stmt, 0) > 0;
  sqlite3_finalize(stmt);
  return ok;
}

}  // namespace

Result<Database> Workspace::OpenDatabase(std::wstring_view name, bool, bool,
                                         std::wstring_view connect) {
  // The connect string's password is accepted whatever it is: the store is
  // not protected, and the desktop engine opens such a store either way.
  auto options = ParseConnectString(connect);
  if (!options) return options.error();

  const std::wstring path(name);
  if (path.empty() || path.find(L'\0') != std::wstring::npos || !IsFile(path))
    return Error{ErrorCode::FileNotFound, L"Could not find file '" + path + L"'."};

  auto connection = std::make_shared<detail::Connection>();
  // Read-only and never SQLITE_OPEN_CREATE: the layer must not make or
  // change a store file, whatever it is asked.
  if (sqlite3_open_v2(win::ToUtf8(path).c_str(), &connection->db, SQLITE_OPEN_READONLY, nullptr) !=
          SQLITE_OK ||
      !HoldsStore(connection->db) || !detail::RegisterSqlFunctions(connection->db))
    return Error{ErrorCode::NotADatabase, L"Unrecognized database format '" + path + L"'."};

  std::erase_if(opened_, [](const auto& w) { return w.expired(); });
  opened_.push_back(connection);
  return Database(std::move(connection));
}

void Workspace::Close() {
  for (auto& weak : opened_)
    if (auto connection = weak.lock()) connection->Close();
  opened_.clear();
}

Result<Workspace*> Engine::Workspaces(int index) {
  if (index != 0) return Error{ErrorCode::ItemNotFound, L"Item not found in this collection."};
  return &default_;
}

Engine& DBEngine() {
  static Engine engine;
  return engine;
}

}  // namespace store
