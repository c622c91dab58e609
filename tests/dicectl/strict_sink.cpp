#include "strict/strict_sink.h"

#include <algorithm>

#include "common/com_ptr.h"

namespace dicectl_tests {

STDMETHODIMP StrictSink::QueryInterface(REFIID iid, void** out) {
  Add("QueryInterface(" + IidName(iid) + ")");
  if (!out) return E_POINTER;
  *out = nullptr;
  const bool answered = std::find(answers_.begin(), answers_.end(), iid) != answers_.end();
  if (iid == IID_IUnknown) return win::HandOut(static_cast<IDispatch*>(this), out);
  if (!answered) return E_NOINTERFACE;
  if (iid == IID_IPropertyNotifySink) return win::HandOut(static_cast<IPropertyNotifySink*>(this), out);
  return win::HandOut(static_cast<IDispatch*>(this), out);
}

STDMETHODIMP StrictSink::GetTypeInfoCount(UINT* count) {
  Add("GetTypeInfoCount()");
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

STDMETHODIMP StrictSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  Add("GetTypeInfo()");
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP StrictSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  Add("GetIDsOfNames()");
  return E_NOTIMPL;
}

// Logged as "Invoke(id:types)"; anything but a plain method call shows.
STDMETHODIMP StrictSink::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                EXCEPINFO*, UINT*) {
  std::string call = "Invoke(" + std::to_string(id);
  if (params) {
    for (UINT i = 0; i < params->cArgs; ++i) {
      call += ':';
      call += VarTypeName(V_VT(&params->rgvarg[i]));
    }
    if (params->cNamedArgs) call += " named";
  } else {
    call += " no params";
  }
  if (iid != IID_NULL) call += " iid";
  if (flags != DISPATCH_METHOD) call += " flags " + std::to_string(flags);
  if (result) call += " result";
  Add(call + ")");
  if (onEvent) onEvent(id);
  return S_OK;
}

STDMETHODIMP StrictSink::OnChanged(DISPID id) {
  Add("OnChanged(" + std::to_string(id) + ")");
  return S_OK;
}

STDMETHODIMP StrictSink::OnRequestEdit(DISPID id) {
  Add("OnRequestEdit(" + std::to_string(id) + ")");
  return S_OK;
}

}  // namespace dicectl_tests
