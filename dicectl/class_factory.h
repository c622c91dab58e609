#pragma once
// Class objects of the library, one per creatable class, from a table.
#include <ole2.h>

#include "common/com_object.h"

namespace dicectl {

using CreateFunction = HRESULT (*)(REFIID iid, void** out);

// Lives as long as the module: a reference to it counts as a module lock,
// so the library stays loaded while a client holds a class object.
class ClassFactory final : public win::ComIdentity<ClassFactory, IClassFactory> {
 public:
  explicit ClassFactory(CreateFunction create) noexcept : create_(create) {}

  static win::InterfaceList<ClassFactory> Interfaces() noexcept;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  CreateFunction create_;
};

// DllGetClassObject.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);

}  // namespace dicectl
