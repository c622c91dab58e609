#include "dicectl/connection_point.h"

#include <olectl.h>

#include <algorithm>


namespace dicectl {

win::InterfaceList<ConnectionPoint> ConnectionPoint::Interfaces() noexcept {
  static const win::InterfaceEntry<ConnectionPoint> table[] = {
      {IID_IConnectionPoint, &win::AsSelf<ConnectionPoint, IConnectionPoint>},
  };
  return table;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  return win::ComCall([&] {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return win::ComCall([&] {
    if (!container) return E_POINTER;
    return win::HandOut(&container_, reinterpret_cast<void**>(container));
  });
}

// The cookie is handed out only once the connection is kept, so a failed
// advise leaves no cookie that names nothing.
STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return win::ComCall([&] {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    win::com_ptr<IUnknown> wanted;
    if (FAILED(sink->QueryInterface(iid_, wanted.put_void()))) return CONNECT_E_CANNOTCONNECT;
    sinks_.push_back({nextCookie_, std::move(wanted)});
    *cookie = nextCookie_++;
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
  return win::ComCall([&] {
    const auto it = std::find_if(sinks_.begin(), sinks_.end(), [&](const Connection& c) { return c.cookie == cookie; });
    if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    // The sink's release may call back into this point: erase it first.
    const win::com_ptr<IUnknown> gone = std::move(it->sink);
    sinks_.erase(it);
    return S_OK;
  });
}

// Enumerating connections is optional for a connection point.
STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) {
  return win::ComCall([&] {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    return E_NOTIMPL;
  });
}

std::vector<ConnectionPoint::Connection> ConnectionPoint::Sinks() const { return sinks_; }

bool ConnectionPoint::Connected(DWORD cookie) const noexcept {
  return std::any_of(sinks_.begin(), sinks_.end(), [&](const Connection& c) { return c.cookie == cookie; });
}

}  // namespace dicectl
