#include "store/value.h"

#include <cwchar>

namespace store {

std::optional<std::wstring> Value::AsString() const {
  if (auto* i = std::get_if<long long>(&v_)) return std::to_wstring(*i);
  if (auto* d = std::get_if<double>(&v_)) {
    wchar_t buf[32];
    std::swprintf(buf, sizeof buf / sizeof buf[0], L"%.15g", *d);
    return std::wstring(buf);
  }
  if (auto* s = std::get_if<std::wstring>(&v_)) return *s;
  return std::nullopt;
}

std::optional<Value::Bytes> Value::AsBytes() const {
  if (auto* b = std::get_if<Bytes>(&v_)) return *b;
  return std::nullopt;
}

}  // namespace store
