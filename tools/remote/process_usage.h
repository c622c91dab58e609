#pragma once
// What another process holds: GDI objects, USER objects and private
// memory, sampled from outside.
#include <windows.h>

#include <cstdint>

namespace remote {

struct Usage {
  uint32_t gdiObjects = 0;
  uint32_t userObjects = 0;
  uint64_t privateBytes = 0;
};

// The process handle needs PROCESS_QUERY_INFORMATION and PROCESS_VM_READ.
Usage UsageOf(HANDLE process, DWORD pid);

}  // namespace remote
