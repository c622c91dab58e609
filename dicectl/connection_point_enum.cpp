#include "dicectl/connection_point_enum.h"

#include <new>

#include "dicectl/com_call.h"
#include "dicectl/delegating_unknown.h"

namespace dicectl {

HRESULT ConnectionPointEnum::Create(std::vector<win::com_ptr<IConnectionPoint>> points, size_t position,
                                     IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) ConnectionPointEnum(std::move(points), position);
  return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP ConnectionPointEnum::QueryInterface(REFIID iid, void** out) {
  return ComCall([&] {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IEnumConnectionPoints)
      return win::HandOut(static_cast<IEnumConnectionPoints*>(this), out);
    return E_NOINTERFACE;
  });
}

STDMETHODIMP_(ULONG) ConnectionPointEnum::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) ConnectionPointEnum::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP ConnectionPointEnum::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
  return ComCall([&] {
    if (!points || (count != 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < points_.size(); ++n, ++position_)
      points[n] = win::com_ptr<IConnectionPoint>(points_[position_]).detach();
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  });
}

STDMETHODIMP ConnectionPointEnum::Skip(ULONG count) {
  return ComCall([&] {
    const size_t left = points_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  });
}

STDMETHODIMP ConnectionPointEnum::Reset() {
  return ComCall([&] {
    position_ = 0;
    return S_OK;
  });
}

STDMETHODIMP ConnectionPointEnum::Clone(IEnumConnectionPoints** out) {
  return ComCall([&] { return Create(points_, position_, out); });
}

}  // namespace dicectl
