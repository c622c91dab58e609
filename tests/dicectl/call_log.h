#pragma once
// What a control calls on the container objects of a strict test, in
// order, each as "Method(arguments)". A test takes the calls after each
// step and compares them whole: a call it did not expect, a missing one,
// another order or other arguments all fail the comparison.
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

namespace dicectl_tests {

using Calls = std::vector<std::string>;

class CallLog {
 public:
  void Add(std::string call) { calls_.push_back(std::move(call)); }
  // The calls since the last Take.
  Calls Take() { return std::exchange(calls_, {}); }

 private:
  Calls calls_;
};

// An interface's name for the log: the ones a container meets by name,
// any other as its GUID.
std::string IidName(REFIID iid);

// A VARIANT type's name for the log, without its VT_ prefix; others by number.
std::string VarTypeName(VARTYPE type);

// An event call as a strict sink logs it: "sink.Invoke(id:argument types)".
std::string EventCall(const std::string& sink, DISPID id, const std::string& types = {});

}  // namespace dicectl_tests
