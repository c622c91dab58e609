#include "dicectl/module.h"

namespace dicectl {
namespace {
HINSTANCE g_instance = nullptr;
wchar_t g_path[MAX_PATH] = L"";
// Apartment-threaded objects only, but class objects may be locked from
// any thread, so the count is interlocked.
LONG g_locks = 0;
// The part of g_locks that LockServer took.
LONG g_serverLocks = 0;
}  // namespace

HINSTANCE Module::Instance() noexcept { return g_instance; }

void Module::SetInstance(HINSTANCE instance) noexcept {
  g_instance = instance;
  ::GetModuleFileNameW(instance, g_path, MAX_PATH);
}

const wchar_t* Module::Path() noexcept { return g_path; }

void Module::Lock() noexcept { ::InterlockedIncrement(&g_locks); }
void Module::Unlock() noexcept { ::InterlockedDecrement(&g_locks); }

void Module::LockServer() noexcept {
  ::InterlockedIncrement(&g_serverLocks);
  Lock();
}

// A compare-and-swap loop, so two threads cannot both take the last lock.
void Module::UnlockServer() noexcept {
  LONG held = ::InterlockedCompareExchange(&g_serverLocks, 0, 0);
  while (held > 0) {
    const LONG seen = ::InterlockedCompareExchange(&g_serverLocks, held - 1, held);
    if (seen == held) {
      Unlock();
      return;
    }
    held = seen;
  }
}

bool Module::CanUnload() noexcept { return ::InterlockedCompareExchange(&g_locks, 0, 0) == 0; }

}  // namespace dicectl
