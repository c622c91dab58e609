#pragma once
// One interface family of a COM object, implemented in a class of its own:
// its IUnknown is the object's, so identity and lifetime stay one.
#include <ole2.h>

#include "dicectl/com_call.h"

namespace dicectl {

template <class... Interfaces>
class DelegatingUnknown : public Interfaces... {
 public:
  explicit DelegatingUnknown(IUnknown& outer) noexcept : outer_(outer) {}
  DelegatingUnknown(const DelegatingUnknown&) = delete;
  DelegatingUnknown& operator=(const DelegatingUnknown&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    return ComCall([&] { return outer_.QueryInterface(iid, out); });
  }
  STDMETHODIMP_(ULONG) AddRef() override { return outer_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return outer_.Release(); }

 protected:
  ~DelegatingUnknown() = default;
  IUnknown& outer() const noexcept { return outer_; }

 private:
  IUnknown& outer_;
};

}  // namespace dicectl
