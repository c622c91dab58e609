// The four exports of an in-process server, and the module's entry point.
#include <ole2.h>
#include <olectl.h>

#include <optional>

#include "common/com_call.h"
#include "common/com_ptr.h"
#include "common/unique_handle.h"
#include "dicectl/class_factory.h"
#include "dicectl/dice_property_window.h"
#include "dicectl/dice_window.h"
#include "dicectl/module.h"
#include "dicectl/registration.h"
#include "dicectl/tumbix.h"
#include "dicectl/type_info_dispatch.h"

// oleaut32 exports these (Windows Vista and later); the headers do not declare them.
extern "C" {
HRESULT WINAPI RegisterTypeLibForUser(ITypeLib* lib, OLECHAR* path, OLECHAR* helpDir);
HRESULT WINAPI UnRegisterTypeLibForUser(REFGUID libId, WORD major, WORD minor, LCID lcid, SYSKIND kind);
}

namespace {

using win::unique_hkey;
using dicectl::RegistryScope;

constexpr const wchar_t* kClassesKey = L"Software\\Classes";
constexpr WORD kTypeLibMajor = 1;
constexpr WORD kTypeLibMinor = 0;
constexpr LCID kTypeLibLcid = 0x0409;

unique_hkey OpenClasses(HKEY hive) {
  HKEY key = nullptr;
  ::RegCreateKeyExW(hive, kClassesKey, 0, nullptr, 0, KEY_READ | KEY_WRITE | DELETE, nullptr, &key, nullptr);
  return unique_hkey(key);
}

// The machine's classes when this user may write them, else the user's.
struct Roots {
  unique_hkey machine = OpenClasses(HKEY_LOCAL_MACHINE);
  unique_hkey user = OpenClasses(HKEY_CURRENT_USER);
  dicectl::Registrar registrar{machine.get(), user.get()};
};

HRESULT RegisterTypeLibrary(RegistryScope scope) {
  const auto lib = dicectl::LoadOwnTypeLib();
  if (!lib) return TYPE_E_CANTLOADLIBRARY;
  auto* path = const_cast<OLECHAR*>(dicectl::Module::Path());
  return scope == RegistryScope::Machine ? ::RegisterTypeLib(lib.get(), path, nullptr)
                                         : ::RegisterTypeLibForUser(lib.get(), path, nullptr);
}

// The platform the embedded library was compiled for (SYS_WIN32 in the
// 32-bit module, SYS_WIN64 in the 64-bit one): it was registered under it.
std::optional<SYSKIND> OwnSysKind() {
  const auto lib = dicectl::LoadOwnTypeLib();
  TLIBATTR* attr = nullptr;
  if (!lib || FAILED(lib->GetLibAttr(&attr))) return std::nullopt;
  const SYSKIND kind = attr->syskind;
  lib->ReleaseTLibAttr(attr);
  return kind;
}

// Not registered is as good as unregistered; platforms differ in what
// unregistering a missing library returns, so ask first.
HRESULT UnregisterTypeLibrary(RegistryScope scope) {
  win::unique_bstr path;
  const HRESULT registered =
      ::QueryPathOfRegTypeLib(LIBID_Tumbix, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, path.put());
  if (FAILED(registered)) return S_OK;
  const auto kind = OwnSysKind();
  if (!kind) return TYPE_E_CANTLOADLIBRARY;
  return scope == RegistryScope::Machine
             ? ::UnRegisterTypeLib(LIBID_Tumbix, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, *kind)
             : ::UnRegisterTypeLibForUser(LIBID_Tumbix, kTypeLibMajor, kTypeLibMinor, kTypeLibLcid, *kind);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    ::DisableThreadLibraryCalls(instance);
    dicectl::Module::SetInstance(instance);
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // Unloaded while the process goes on: the classes must not outlive the code.
    dicectl::DiceWindow::UnregisterClass();
    dicectl::DicePropertyWindow::UnregisterClass();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return win::ComCall([] { return dicectl::Module::CanUnload() ? S_OK : S_FALSE; });
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  return win::ComCall([&] { return dicectl::GetClassObject(clsid, iid, out); });
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  return win::ComCall([] {
    const Roots roots;
    const RegistryScope scope = roots.registrar.Scope();
    HRESULT hr = roots.registrar.Register(dicectl::Module::Path(), scope);
    if (SUCCEEDED(hr)) hr = RegisterTypeLibrary(scope);
    return SUCCEEDED(hr) ? S_OK : SELFREG_E_CLASS;
  });
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return win::ComCall([] {
    const Roots roots;
    const RegistryScope scope = roots.registrar.Scope();
    HRESULT hr = roots.registrar.Unregister(scope);
    const HRESULT typeLib = UnregisterTypeLibrary(scope);
    if (SUCCEEDED(hr)) hr = typeLib;
    return SUCCEEDED(hr) ? S_OK : SELFREG_E_CLASS;
  });
}
