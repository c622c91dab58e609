#pragma once
// What a control calls on the container objects of a strict test, in
// order, each as "Method(arguments)". A test takes the calls after each
// step and compares them whole: a call it did not expect, a missing one,
// another order or other arguments all fail the comparison.
#include <ole2.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dicectl_tests {

class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  // Logs a call that only answers.
  HRESULT Answer(std::string call, HRESULT result) {
    Add(std::move(call));
    return result;
  }
  // The calls since the last Take.
  std::vector<std::string> Take() { return std::exchange(calls_, {}); }

 private:
  std::vector<std::string> calls_;
};

// An interface's name for the log: the ones a container meets by name,
// any other as its GUID.
std::string IidName(REFIID iid);

// A call with a number as the strict objects log it: "method(number rest)".
std::string Logged(std::string_view method, long number, std::string_view rest = {});

// A BOOL argument as the log shows it.
inline const char* Bool(BOOL b) { return b ? "TRUE" : "FALSE"; }

// A VARIANT type's name for the log, without its VT_ prefix; others by number.
std::string VarTypeName(VARTYPE type);

// A reference count that starts at the one reference its owner, the test,
// holds; AddRef and Release are counted, not logged.
class RefCount {
 public:
  ULONG Add() noexcept { return static_cast<ULONG>(++refs_); }
  ULONG Release() noexcept { return static_cast<ULONG>(--refs_); }
  // References the objects under test still hold.
  LONG Others() const noexcept { return refs_ - 1; }

 private:
  LONG refs_ = 1;
};

}  // namespace dicectl_tests
