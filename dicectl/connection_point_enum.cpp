#include "dicectl/connection_point_enum.h"

#include <new>

namespace dicectl {

HRESULT ConnectionPointEnum::Create(std::vector<win::com_ptr<IConnectionPoint>> points, size_t position,
                                     IEnumConnectionPoints** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) ConnectionPointEnum(std::move(points), position);
  return *out ? S_OK : E_OUTOFMEMORY;
}

win::InterfaceList<ConnectionPointEnum> ConnectionPointEnum::Interfaces() noexcept {
  static const win::InterfaceEntry<ConnectionPointEnum> table[] = {
      {IID_IEnumConnectionPoints, &win::AsSelf<ConnectionPointEnum, IEnumConnectionPoints>},
  };
  return table;
}

STDMETHODIMP ConnectionPointEnum::Next(ULONG count, IConnectionPoint** points, ULONG* fetched) {
  return win::ComCall([&] {
    if (!points || (count != 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < points_.size(); ++n, ++position_)
      points[n] = win::com_ptr<IConnectionPoint>(points_[position_]).detach();
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
  });
}

STDMETHODIMP ConnectionPointEnum::Skip(ULONG count) {
  return win::ComCall([&] {
    const size_t left = points_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
  });
}

STDMETHODIMP ConnectionPointEnum::Reset() {
  return win::ComCall([&] {
    position_ = 0;
    return S_OK;
  });
}

STDMETHODIMP ConnectionPointEnum::Clone(IEnumConnectionPoints** out) {
  return win::ComCall([&] { return Create(points_, position_, out); });
}

}  // namespace dicectl
