#include "remote/process_usage.h"

#include <winternl.h>
#include <psapi.h>

#include <vector>

namespace remote {
namespace {

// Wine answers GetGuiResources with 0. Its GDI keeps each process's
// handle table where Windows keeps the shared one, at the PEB's
// GdiSharedHandleTable: 65536 entries of 24 bytes, whose type byte is 0
// for a free entry (a free entry's object field links the free list).
constexpr size_t kGdiTableEntries = 0x10000;
constexpr size_t kGdiEntryBytes = 24;
constexpr size_t kGdiEntryTypeAt = 14;
#ifdef _WIN64
constexpr size_t kPebGdiTableOffset = 0xF8;
#else
constexpr size_t kPebGdiTableOffset = 0x94;
#endif

uint32_t GdiObjectsFromTable(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  ULONG length = 0;
  if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0)
    return 0;
  void* table = nullptr;
  SIZE_T read = 0;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  if (!::ReadProcessMemory(process, peb + kPebGdiTableOffset, &table, sizeof table, &read) || !table) return 0;
  std::vector<BYTE> entries(kGdiTableEntries * kGdiEntryBytes);
  if (!::ReadProcessMemory(process, table, entries.data(), entries.size(), &read)) return 0;
  uint32_t used = 0;
  for (size_t i = 0; i < kGdiTableEntries; ++i) used += entries[i * kGdiEntryBytes + kGdiEntryTypeAt] != 0;
  return used;
}

// And USER objects are counted as the windows that matter here: the
// process's top-level and message-only windows and their children.
struct WindowCount {
  DWORD pid;
  uint32_t count;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp) {
  ++reinterpret_cast<WindowCount*>(lp)->count;
  return TRUE;
}

void CountTree(HWND hwnd, WindowCount& count) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  if (pid != count.pid) return;
  ++count.count;
  ::EnumChildWindows(hwnd, &CountChild, reinterpret_cast<LPARAM>(&count));
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp) {
  CountTree(hwnd, *reinterpret_cast<WindowCount*>(lp));
  return TRUE;
}

uint32_t WindowsOf(DWORD pid) {
  WindowCount count{pid, 0};
  ::EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
  for (HWND hwnd = ::FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); hwnd;
       hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, nullptr, nullptr))
    CountTree(hwnd, count);
  return count.count;
}

}  // namespace

Usage UsageOf(HANDLE process, DWORD pid) {
  Usage usage;
  usage.gdiObjects = ::GetGuiResources(process, GR_GDIOBJECTS);
  if (!usage.gdiObjects) usage.gdiObjects = GdiObjectsFromTable(process);
  usage.userObjects = ::GetGuiResources(process, GR_USEROBJECTS);
  if (!usage.userObjects) usage.userObjects = WindowsOf(pid);
  // The commit charge: the process's private memory, on Windows and Wine.
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (::GetProcessMemoryInfo(process, &counters, sizeof counters)) usage.privateBytes = counters.PagefileUsage;
  return usage;
}

}  // namespace remote
