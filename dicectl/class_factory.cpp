#include "dicectl/class_factory.h"

#include "common/com_ptr.h"
#include "dicectl/dice.h"
#include "dicectl/dice_property.h"
#include "dicectl/module.h"
#include "dicectl/tumbix.h"

namespace dicectl {
namespace {

// A live class object's count is only what the module lock says.
constexpr ULONG kStaticRefs = 1;

HRESULT CreateDice(REFIID iid, void** out) { return Dice::Create(iid, out); }

struct ClassEntry {
  const CLSID& clsid;
  ClassFactory& factory;
};

ClassFactory g_diceFactory(&CreateDice);
ClassFactory g_pageFactory(&DiceProperty::Create);

const ClassEntry kClasses[] = {
    {CLSID_Dice, g_diceFactory},
    {CLSID_DiceProperty, g_pageFactory},
};

}  // namespace

win::InterfaceList<ClassFactory> ClassFactory::Interfaces() noexcept {
  static const win::InterfaceEntry<ClassFactory> table[] = {
      {IID_IClassFactory, &win::AsSelf<ClassFactory, IClassFactory>},
  };
  return table;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() {
  Module::Lock();
  return kStaticRefs + 1;
}

STDMETHODIMP_(ULONG) ClassFactory::Release() {
  Module::Unlock();
  return kStaticRefs;
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  return win::ComCall([&] {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return create_(iid, out);
  });
}

// An unlock without its lock is ignored: taken from the objects' count, it
// would let the library be unloaded under a live object.
STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
  return win::ComCall([&] {
    if (lock)
      Module::LockServer();
    else
      Module::UnlockServer();
    return S_OK;
  });
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const ClassEntry& entry : kClasses) {
    if (entry.clsid == clsid) return entry.factory.QueryInterface(iid, out);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace dicectl
