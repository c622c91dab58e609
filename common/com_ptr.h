#pragma once
// Owning COM interface pointer: AddRef and Release live here and nowhere else.
#include <ole2.h>

#include <utility>

#include "common/unique_handle.h"

namespace win {

template <class T>
class com_ptr {
 public:
  com_ptr() = default;
  com_ptr(std::nullptr_t) noexcept {}
  // Takes a new reference of its own.
  explicit com_ptr(T* p) noexcept : p_(p) {
    if (p_) p_->AddRef();
  }
  com_ptr(const com_ptr& o) noexcept : com_ptr(o.p_) {}
  com_ptr(com_ptr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  com_ptr& operator=(com_ptr o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }
  ~com_ptr() { reset(); }

  // Adopts a reference that the caller already owns.
  static com_ptr attach(T* p) noexcept {
    com_ptr r;
    r.p_ = p;
    return r;
  }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  void reset() noexcept {
    if (T* p = std::exchange(p_, nullptr)) p->Release();
  }
  // Releases the old pointer before handing out the slot for an out parameter.
  T** put() noexcept {
    reset();
    return &p_;
  }
  void** put_void() noexcept { return reinterpret_cast<void**>(put()); }
  T* detach() noexcept { return std::exchange(p_, nullptr); }

  template <class U>
  com_ptr<U> query() const noexcept {
    com_ptr<U> r;
    if (p_) p_->QueryInterface(__uuidof(U), r.put_void());
    return r;
  }

 private:
  T* p_ = nullptr;
};

// A string from an automation call, freed with SysFreeString.
using unique_bstr = unique_any<BSTR, &::SysFreeString>;

// A VARIANT that clears itself, releasing whatever it holds.
class unique_variant {
 public:
  unique_variant() noexcept { ::VariantInit(&v_); }
  unique_variant(const unique_variant&) = delete;
  unique_variant& operator=(const unique_variant&) = delete;
  ~unique_variant() { ::VariantClear(&v_); }

  VARIANT* get() noexcept { return &v_; }
  const VARIANT& operator*() const noexcept { return v_; }
  // Clears what is held before handing out the slot for an out parameter.
  VARIANT* put() noexcept {
    ::VariantClear(&v_);
    return &v_;
  }

 private:
  VARIANT v_;
};

// Hands out an interface pointer with a reference of its own, as
// QueryInterface does.
template <class I>
HRESULT HandOut(I* p, void** out) noexcept {
  p->AddRef();
  *out = p;
  return S_OK;
}

// Uninitialises COM only when this thread's initialisation succeeded
// (S_FALSE, already initialised, still counts).
class ole_init {
 public:
  ole_init() noexcept : hr_(::OleInitialize(nullptr)) {}
  ole_init(const ole_init&) = delete;
  ole_init& operator=(const ole_init&) = delete;
  ~ole_init() {
    if (SUCCEEDED(hr_)) ::OleUninitialize();
  }
  HRESULT result() const noexcept { return hr_; }

 private:
  HRESULT hr_;
};

}  // namespace win
