#include "dicectl/connection_point.h"

#include <olectl.h>

#include <algorithm>

#include "dicectl/com_call.h"
#include "dicectl/delegating_unknown.h"

namespace dicectl {

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) {
  return ComCall([&] {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint)
      return win::HandOut(static_cast<IConnectionPoint*>(this), out);
    return E_NOINTERFACE;
  });
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
  return ComCall([&] {
    if (!iid) return E_POINTER;
    *iid = iid_;
    return S_OK;
  });
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) {
  return ComCall([&] {
    if (!container) return E_POINTER;
    return win::HandOut(&container_, reinterpret_cast<void**>(container));
  });
}

// The cookie is handed out only once the connection is kept, so a failed
// advise leaves no cookie that names nothing.
STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
  return ComCall([&] {
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
  return ComCall([&] {
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
  return ComCall([&] {
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
