#pragma once
// A field's value: Null, a number, text or bytes, as the store holds it.
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace store {

struct Null {};

class Value {
 public:
  using Bytes = std::string;

  Value() = default;
  explicit Value(long long v) : v_(v) {}
  explicit Value(double v) : v_(v) {}
  explicit Value(std::wstring v) : v_(std::move(v)) {}
  static Value FromBytes(Bytes b) {
    Value v;
    v.v_ = std::move(b);
    return v;
  }

  bool IsNull() const { return std::holds_alternative<Null>(v_); }
  bool IsBytes() const { return std::holds_alternative<Bytes>(v_); }

  // The value as text, the way the desktop engine converts a field to a
  // string: numbers in decimal, text as it is; Null and bytes have none.
  std::optional<std::wstring> AsString() const;

  // The stored bytes of a binary field; nothing for any other kind.
  std::optional<Bytes> AsBytes() const;

  // f called with what the value holds: Null, long long, double,
  // std::wstring or Bytes.
  template <class F>
  decltype(auto) Visit(F&& f) const {
    return std::visit(std::forward<F>(f), v_);
  }

 private:
  std::variant<Null, long long, double, std::wstring, Bytes> v_;
};

}  // namespace store
