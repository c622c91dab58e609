#include "dicectl/module.h"

namespace dicectl {
namespace {
HINSTANCE g_instance = nullptr;
wchar_t g_path[MAX_PATH] = L"";
// Apartment-threaded objects only, but class objects may be locked from
// any thread, so the count is interlocked.
LONG g_locks = 0;
}  // namespace

HINSTANCE Module::Instance() noexcept { return g_instance; }

void Module::SetInstance(HINSTANCE instance) noexcept {
  g_instance = instance;
  ::GetModuleFileNameW(instance, g_path, MAX_PATH);
}

const wchar_t* Module::Path() noexcept { return g_path; }

void Module::Lock() noexcept { ::InterlockedIncrement(&g_locks); }
void Module::Unlock() noexcept { ::InterlockedDecrement(&g_locks); }
bool Module::CanUnload() noexcept { return ::InterlockedCompareExchange(&g_locks, 0, 0) == 0; }

}  // namespace dicectl
