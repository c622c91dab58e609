#pragma once
// A container's property bag that answers each key as the test set it,
// however odd the answer, or as the control wrote it, and logs what the
// control reads and writes.
#include <ocidl.h>

#include <map>
#include <string>

#include "common/com_ptr.h"
#include "strict/call_log.h"

namespace dicectl_tests {

class StrictBag final : public IPropertyBag {
 public:
  explicit StrictBag(CallLog& log) noexcept : log_(log) {}
  StrictBag(const StrictBag&) = delete;
  StrictBag& operator=(const StrictBag&) = delete;

  // Read(key) copies value into the caller's VARIANT, unless leave is set,
  // then returns result. A key never answered reads as E_INVALIDARG.
  struct Answer {
    HRESULT result = S_OK;
    win::unique_variant value;
    bool leave = false;
  };
  Answer& operator[](const std::wstring& key) { return answers_[key]; }

  LONG HeldByOthers() const noexcept { return refs_.Others(); }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return refs_.Add(); }
  STDMETHODIMP_(ULONG) Release() override { return refs_.Release(); }
  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  CallLog& log_;
  std::map<std::wstring, Answer> answers_;
  RefCount refs_;
};

}  // namespace dicectl_tests
