#pragma once
// Every COM method body runs through ComCall: its callers know only
// HRESULTs, and a C++ exception unwinding into them is undefined behaviour.
#include <windows.h>

#include <new>
#include <utility>

namespace win {

template <class F>
HRESULT ComCall(F&& body) noexcept {
  try {
    return std::forward<F>(body)();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace win
