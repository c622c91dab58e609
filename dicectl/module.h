#pragma once
// The library's module state: its instance handle and the count of live
// objects and server locks that DllCanUnloadNow reads.
#include <windows.h>

namespace dicectl {

class Module {
 public:
  static HINSTANCE Instance() noexcept;
  static void SetInstance(HINSTANCE instance) noexcept;
  // The library's file, as registration and the type library need it.
  static const wchar_t* Path() noexcept;

  static void Lock() noexcept;
  static void Unlock() noexcept;
  // IClassFactory::LockServer; an unlock with no lock left changes nothing.
  static void LockServer() noexcept;
  static void UnlockServer() noexcept;
  static bool CanUnload() noexcept;
};

// Counts one live object for as long as it exists.
class ModuleLock {
 public:
  ModuleLock() noexcept { Module::Lock(); }
  ModuleLock(const ModuleLock&) = delete;
  ModuleLock& operator=(const ModuleLock&) = delete;
  ~ModuleLock() { Module::Unlock(); }
};

}  // namespace dicectl
