#pragma once
// A container's property bag that answers each key as the test set it,
// however odd the answer, or as the control wrote it, and logs what the
// control reads and writes ("Bag." before each).
#include <ocidl.h>

#include <map>
#include <string>

#include "common/com_ptr.h"
#include "strict/strict_object.h"

namespace dicectl_tests {

class StrictBag final : public StrictObject<IPropertyBag> {
 public:
  explicit StrictBag(CallLog& log) : StrictObject(log, "Bag.") {}

  // Read(key) copies value into the caller's VARIANT, unless leave is set,
  // then returns result. A key never answered reads as E_INVALIDARG.
  struct Reply {
    HRESULT result = S_OK;
    win::unique_variant value;
    bool leave = false;
  };
  Reply& operator[](const std::wstring& key) { return answers_[key]; }

  STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
  STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

 private:
  IUnknown* Find(REFIID iid) override { return iid == IID_IUnknown || iid == IID_IPropertyBag ? this : nullptr; }

  std::map<std::wstring, Reply> answers_;
};

}  // namespace dicectl_tests
