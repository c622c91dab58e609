#pragma once
// The enumerator that IConnectionPointContainer::EnumConnectionPoints hands out:
// a snapshot of the points, each holding its container alive.
#include <ocidl.h>

#include <vector>

#include "common/com_object.h"
#include "common/com_ptr.h"
#include "dicectl/module.h"

namespace dicectl {

class ConnectionPointEnum final : public win::ComObject<ConnectionPointEnum, IEnumConnectionPoints> {
 public:
  static HRESULT Create(std::vector<win::com_ptr<IConnectionPoint>> points, size_t position,
                        IEnumConnectionPoints** out);
  static win::InterfaceList<ConnectionPointEnum> Interfaces() noexcept;

  STDMETHODIMP Next(ULONG count, IConnectionPoint** points, ULONG* fetched) override;
  STDMETHODIMP Skip(ULONG count) override;
  STDMETHODIMP Reset() override;
  STDMETHODIMP Clone(IEnumConnectionPoints** out) override;

 private:
  ConnectionPointEnum(std::vector<win::com_ptr<IConnectionPoint>> points, size_t position) noexcept
      : points_(std::move(points)), position_(position) {}
  ~ConnectionPointEnum() override = default;

  ModuleLock lock_;
  std::vector<win::com_ptr<IConnectionPoint>> points_;
  size_t position_;
};

}  // namespace dicectl
