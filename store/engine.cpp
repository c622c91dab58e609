#include "store/engine.h"

#include <windows.h>

#include <memory>
#include <string>

#include "common/codepage.h"
#include "store/connection.h"
#include "store/sql_functions.h"

namespace store {
namespace {

// Opens the file for reading and holds it, denying others the right to
// write it; a file that another program writes, or holds exclusively, is
// in use. Folders and files that cannot be read are not found.
Result<win::unique_handle> HoldForReading(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) return win::unique_handle(file);
  if (::GetLastError() == ERROR_SHARING_VIOLATION)
    return Error{ErrorCode::FileInUse, L"Could not use '" + path + L"'; file already in use."};
  return Error{ErrorCode::FileNotFound, L"Could not find file '" + path + L"'."};
}

// The file as an SQLite URI that declares it immutable. The path's
// separators become slashes and follow an empty authority, so that a drive
// path reads "file:///C:/..." and a share "file:////server/share/...";
// the characters a URI reads as its own are escaped.
std::string ImmutableUri(const std::wstring& path) {
  std::string uri = "file://";
  if (path.empty() || (path.front() != L'\\' && path.front() != L'/')) uri += '/';
  for (const char c : win::ToUtf8(path)) {
    if (c == '\\') {
      uri += '/';
    } else if (c == '%' || c == '?' || c == '#') {
      constexpr char kHex[] = "0123456789ABCDEF";
      const auto byte = static_cast<unsigned char>(c);
      uri += {'%', kHex[byte >> 4], kHex[byte & 0xF]};
    } else {
      uri += c;
    }
  }
  return uri + "?immutable=1";
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

Result<Database> Workspace::OpenDatabase(std::wstring_view name, bool, bool, std::wstring_view) {
  const std::wstring path(name);
  if (path.empty() || path.find(L'\0') != std::wstring::npos)
    return Error{ErrorCode::FileNotFound, L"Could not find file '" + path + L"'."};

  // A store is data that never changes while it is read: no one may write
  // it while it is open here, so SQLite may take it as immutable and read
  // it without locking or looking for changes.
  auto held = HoldForReading(path);
  if (!held) return held.error();
  auto connection = std::make_shared<detail::Connection>();
  connection->writeGuard = std::move(held).value();
  // Read-only and never SQLITE_OPEN_CREATE: the layer must not make or
  // change a store file, whatever it is asked.
  if (sqlite3_open_v2(ImmutableUri(path).c_str(), &connection->db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI,
                      nullptr) != SQLITE_OK ||
      !HoldsStore(connection->db) || !detail::RegisterSqlFunctions(connection->db))
    return Error{ErrorCode::NotADatabase, L"Unrecognized database format '" + path + L"'."};

  return Database(std::move(connection));
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
