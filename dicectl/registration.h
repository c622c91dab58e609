#pragma once
// The registry entries of the library's two classes, written under a
// classes root and removed again. Machine-wide when that root can be
// written, else for the current user only.
#include <windows.h>

#include <string>
#include <vector>

namespace dicectl {

struct RegistryValue {
  std::wstring key;   // below the classes root
  std::wstring name;  // empty for the key's default value
  std::wstring data;
};

// A GUID as the registry writes it, in braces.
std::wstring GuidText(REFGUID guid);

// What DllRegisterServer writes for the library at modulePath.
std::vector<RegistryValue> ClassEntries(const std::wstring& modulePath);
// The keys it owns, removed whole on unregistering.
std::vector<std::wstring> OwnedKeys();

enum class RegistryScope { Machine, User };

class Registrar {
 public:
  // The classes roots; the real ones are HKLM and HKCU "Software\Classes".
  Registrar(HKEY machineClasses, HKEY userClasses) noexcept : machine_(machineClasses), user_(userClasses) {}

  // The scope the entries go to: the machine unless its root refuses writing.
  RegistryScope Scope() const;
  HRESULT Register(const std::wstring& modulePath, RegistryScope scope) const;
  // Removing what is not there is success.
  HRESULT Unregister(RegistryScope scope) const;

 private:
  HKEY Root(RegistryScope scope) const noexcept { return scope == RegistryScope::Machine ? machine_ : user_; }

  HKEY machine_;
  HKEY user_;
};

}  // namespace dicectl
