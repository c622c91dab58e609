#pragma once
// The one shape of our COM objects. QueryInterface is driven by a static
// table of the interfaces an object offers, the first of which is its
// IUnknown; AddRef and Release come from one of three lifetimes:
//   ComObject  - a heap object with a count of its own, deleted at zero;
//   ComTied    - an identity of its own whose lifetime is another object's;
//   ComPart    - one interface family of another object: its identity and
//                its lifetime are that object's.
// ComIdentity alone gives the table and leaves counting to the object, as
// a class object does that counts module locks instead.
// The table comes from the derived class's static Interfaces(), a list of
// win::AsSelf and win::AsPart entries defined beside its members. An
// object that learns an interface only at run time (a sink for an outgoing
// interface it was told of) names it in RuntimeInterface(iid), or null.
#include <ole2.h>

#include <span>

#include "common/com_call.h"
#include "common/com_ptr.h"

namespace win {

template <class T>
struct InterfaceEntry {
  const IID& iid;
  IUnknown* (*find)(T& object) noexcept;
};
template <class T>
using InterfaceList = std::span<const InterfaceEntry<T>>;

// The object itself, as its base I.
template <class T, class I>
IUnknown* AsSelf(T& object) noexcept {
  return static_cast<I*>(&object);
}

template <class Member>
struct MemberOf;
template <class C, class M>
struct MemberOf<M C::*> {
  using Class = C;
};

// A part the object holds as a member, as its base I.
template <auto Part, class I>
IUnknown* AsPart(typename MemberOf<decltype(Part)>::Class& object) noexcept {
  return static_cast<I*>(&(object.*Part));
}

// IID_IUnknown is answered with the table's first entry, so every
// interface of the object leads to one IUnknown.
template <class T>
HRESULT QueryTable(T& object, InterfaceList<T> table, REFIID iid, void** out) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown) return HandOut(table[0].find(object), out);
  for (const InterfaceEntry<T>& entry : table) {
    if (entry.iid == iid) return HandOut(entry.find(object), out);
  }
  return E_NOINTERFACE;
}

template <class T>
HRESULT QueryObject(T& object, REFIID iid, void** out) noexcept {
  const HRESULT hr = QueryTable(object, T::Interfaces(), iid, out);
  if constexpr (requires { object.RuntimeInterface(iid); }) {
    if (hr == E_NOINTERFACE) {
      if (IUnknown* found = object.RuntimeInterface(iid)) return HandOut(found, out);
    }
  }
  return hr;
}

template <class Derived, class... Interfaces>
class ComIdentity : public Interfaces... {
 public:
  STDMETHODIMP QueryInterface(REFIID iid, void** out) final {
    return ComCall([&] { return QueryObject(static_cast<Derived&>(*this), iid, out); });
  }

 protected:
  ComIdentity() = default;
  ComIdentity(const ComIdentity&) = delete;
  ComIdentity& operator=(const ComIdentity&) = delete;
  ~ComIdentity() = default;
};

template <class Derived, class... Interfaces>
class ComObject : public ComIdentity<Derived, Interfaces...> {
 public:
  STDMETHODIMP_(ULONG) AddRef() final { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() final {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  // The creator's reference: hand it to com_ptr::attach.
  ComObject() = default;
  // Virtual, so Release deletes the whole object however private its
  // destructor is.
  virtual ~ComObject() = default;

 private:
  LONG refs_ = 1;
};

template <class Derived, class... Interfaces>
class ComTied : public ComIdentity<Derived, Interfaces...> {
 public:
  STDMETHODIMP_(ULONG) AddRef() final { return owner_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() final { return owner_.Release(); }

 protected:
  explicit ComTied(IUnknown& owner) noexcept : owner_(owner) {}
  ~ComTied() = default;
  IUnknown& owner() const noexcept { return owner_; }

 private:
  IUnknown& owner_;
};

template <class... Interfaces>
class ComPart : public Interfaces... {
 public:
  ComPart(const ComPart&) = delete;
  ComPart& operator=(const ComPart&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) final {
    return ComCall([&] { return outer_.QueryInterface(iid, out); });
  }
  STDMETHODIMP_(ULONG) AddRef() final { return outer_.AddRef(); }
  STDMETHODIMP_(ULONG) Release() final { return outer_.Release(); }

 protected:
  explicit ComPart(IUnknown& outer) noexcept : outer_(outer) {}
  ~ComPart() = default;
  IUnknown& outer() const noexcept { return outer_; }

 private:
  IUnknown& outer_;
};

}  // namespace win
