#include "strict/strict_sink.h"

#include <algorithm>

namespace dicectl_tests {

IUnknown* StrictSink::Find(REFIID iid) {
  if (iid == IID_IUnknown) return static_cast<IDispatch*>(this);
  if (std::find(answers_.begin(), answers_.end(), iid) == answers_.end()) return nullptr;
  if (iid == IID_IPropertyNotifySink) return static_cast<IPropertyNotifySink*>(this);
  return static_cast<IDispatch*>(this);
}

// Logged as "Invoke(id:types)"; anything but a plain method call shows.
STDMETHODIMP StrictSink::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT*) {
  std::string types;
  if (params) {
    for (UINT i = 0; i < params->cArgs; ++i) types += ':' + VarTypeName(V_VT(&params->rgvarg[i]));
    if (params->cNamedArgs) types += " named";
  } else {
    types += " no params";
  }
  if (iid != IID_NULL) types += " iid";
  if (flags != DISPATCH_METHOD) types += " flags " + std::to_string(flags);
  if (result) types += " result";
  Log("Invoke(" + std::to_string(id) + types + ")");
  if (onEvent) onEvent(id);
  return S_OK;
}

}  // namespace dicectl_tests
