#pragma once
// The common part of a strict container's objects: they log every call,
// QueryInterface included, under the object's name, answer only the
// interfaces Find gives, and count the references the control holds.
// They live on the test's stack, which holds the one reference of its own.
#include <ole2.h>

#include <string>
#include <utility>

#include "strict/call_log.h"

namespace dicectl_tests {

template <class... Interfaces>
class StrictObject : public Interfaces... {
 public:
  StrictObject(const StrictObject&) = delete;
  StrictObject& operator=(const StrictObject&) = delete;

  // References the objects under test still hold.
  LONG HeldByOthers() const noexcept { return refs_ - 1; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) final {
    Log("QueryInterface(" + IidName(iid) + ")");
    if (!out) return E_POINTER;
    *out = Find(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() final { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() final { return static_cast<ULONG>(--refs_); }

 protected:
  // prefix: what the log shows before each call, such as "Frame.".
  StrictObject(CallLog& log, std::string prefix) : log_(log), prefix_(std::move(prefix)) {}
  ~StrictObject() = default;

  // The interface answering iid, or null.
  virtual IUnknown* Find(REFIID iid) = 0;

  void Log(const std::string& call) { log_.Add(prefix_ + call); }
  HRESULT Answer(const std::string& call, HRESULT result) {
    Log(call);
    return result;
  }
  // A call that hands out one value.
  template <class T>
  HRESULT Give(const std::string& call, T value, T* out) {
    Log(call);
    if (!out) return E_POINTER;
    *out = value;
    return S_OK;
  }
  // A call refused with nothing handed out.
  template <class T>
  HRESULT Refuse(const std::string& call, T** out, HRESULT result = E_NOTIMPL) {
    if (out) *out = nullptr;
    return Answer(call, result);
  }
  static const char* Bool(BOOL b) { return b ? "TRUE" : "FALSE"; }

 private:
  CallLog& log_;
  std::string prefix_;
  LONG refs_ = 1;
};

}  // namespace dicectl_tests
