#pragma once
// Outcome of a store operation: a value, or the error the engine reports.
#include <string>
#include <utility>
#include <variant>

namespace store {

// Error numbers as the desktop database engine numbers them.
enum class ErrorCode : long {
  TypeMismatch = 13,
  InvalidUseOfNull = 94,
  NoCurrentRecord = 3021,
  FileNotFound = 3024,
  FileInUse = 3045,
  QueryFailed = 3061,
  CharactersAfterEnd = 3142,
  InvalidArgument = 3001,
  ReadOnly = 3027,
  ItemNotFound = 3265,
  ObjectClosed = 3420,
  NotADatabase = 3343,
  SubscriptOutOfRange = 9,
};

struct Error {
  ErrorCode code;
  std::wstring description;
};

template <class T>
class Result {
 public:
  Result(T value) : v_(std::move(value)) {}
  Result(Error error) : v_(std::move(error)) {}

  bool ok() const noexcept { return v_.index() == 0; }
  explicit operator bool() const noexcept { return ok(); }

  T& value() & { return std::get<0>(v_); }
  T&& value() && { return std::get<0>(std::move(v_)); }
  const T& value() const& { return std::get<0>(v_); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Error& error() const { return std::get<1>(v_); }

 private:
  std::variant<T, Error> v_;
};

}  // namespace store
