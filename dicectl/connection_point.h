#pragma once
// One outgoing interface of an object: the sinks that advised on it, by
// cookie. The point is a COM object of its own identity whose lifetime is
// its container's.
#include <ocidl.h>

#include <vector>

#include "common/com_object.h"
#include "common/com_ptr.h"

namespace dicectl {

class ConnectionPoint final : public win::ComTied<ConnectionPoint, IConnectionPoint> {
 public:
  ConnectionPoint(IConnectionPointContainer& container, REFIID iid) noexcept
      : ComTied(container), container_(container), iid_(iid) {}
  ~ConnectionPoint() = default;

  static win::InterfaceList<ConnectionPoint> Interfaces() noexcept;

  STDMETHODIMP GetConnectionInterface(IID* iid) override;
  STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** container) override;
  STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
  STDMETHODIMP Unadvise(DWORD cookie) override;
  STDMETHODIMP EnumConnections(IEnumConnections** connections) override;

  // A sink as advised: its pointer is of the point's interface.
  struct Connection {
    DWORD cookie;
    win::com_ptr<IUnknown> sink;
  };

  REFIID iid() const noexcept { return iid_; }
  // The sinks as they are now, so a sink may unadvise while it is called.
  std::vector<Connection> Sinks() const;
  // Whether a connection of the snapshot is still there: a sink that was
  // unadvised while others were called hears no more.
  bool Connected(DWORD cookie) const noexcept;

 private:
  IConnectionPointContainer& container_;
  const IID iid_;
  std::vector<Connection> sinks_;
  DWORD nextCookie_ = 1;
};

}  // namespace dicectl
