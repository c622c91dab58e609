#include "store/connect_string.h"

#include <cwctype>

namespace store {
namespace {

std::wstring_view Trim(std::wstring_view s) {
  while (!s.empty() && std::iswspace(s.front())) s.remove_prefix(1);
  while (!s.empty() && std::iswspace(s.back())) s.remove_suffix(1);
  return s;
}

std::wstring Lower(std::wstring_view s) {
  std::wstring r(s);
  for (auto& c : r) c = static_cast<wchar_t>(std::towlower(c));
  return r;
}

}  // namespace

const std::wstring* ConnectOptions::Find(std::wstring_view key) const {
  auto it = values.find(Lower(key));
  return it == values.end() ? nullptr : &it->second;
}

Result<ConnectOptions> ParseConnectString(std::wstring_view connect) {
  ConnectOptions options;
  bool first = true;
  while (true) {
    const size_t semi = connect.find(L';');
    const std::wstring_view part = Trim(connect.substr(0, semi));
    if (!part.empty()) {
      const size_t eq = part.find(L'=');
      if (eq == std::wstring_view::npos) {
        if (!first) return Error{ErrorCode::InvalidConnectString, L"Invalid connect string"};
      } else {
        const std::wstring_view key = Trim(part.substr(0, eq));
        if (key.empty()) return Error{ErrorCode::InvalidConnectString, L"Invalid connect string"};
        options.values[Lower(key)] = std::wstring(Trim(part.substr(eq + 1)));
      }
    }
    first = false;
    if (semi == std::wstring_view::npos) break;
    connect.remove_prefix(semi + 1);
  }
  return options;
}

}  // namespace store
