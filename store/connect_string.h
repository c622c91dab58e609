#pragma once
// Connect strings: ";"-separated key=value pairs, blanks around keys and
// values ignored, keys in any case. A first part without "=" names the
// database type, as in "MS Access;pwd=x".
#include <map>
#include <string>
#include <string_view>

#include "store/result.h"

namespace store {

struct ConnectOptions {
  std::map<std::wstring, std::wstring> values;  // keys in lower case

  const std::wstring* Find(std::wstring_view key) const;
};

Result<ConnectOptions> ParseConnectString(std::wstring_view connect);

}  // namespace store
