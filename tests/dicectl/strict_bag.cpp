#include "strict/strict_bag.h"

namespace dicectl_tests {
namespace {

std::string Narrow(LPCOLESTR text) {
  std::string narrow;
  for (; text && *text; ++text) narrow += static_cast<char>(*text);
  return narrow;
}

}  // namespace

STDMETHODIMP StrictBag::QueryInterface(REFIID iid, void** out) {
  log_.Add("Bag.QueryInterface(" + IidName(iid) + ")");
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid != IID_IUnknown && iid != IID_IPropertyBag) return E_NOINTERFACE;
  *out = static_cast<IPropertyBag*>(this);
  AddRef();
  return S_OK;
}

// Logged as "Bag.Read(key:asked type)".
STDMETHODIMP StrictBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  log_.Add("Bag.Read(" + Narrow(name) + ":" + (value ? VarTypeName(V_VT(value)) : "null") + ")");
  if (!name || !value) return E_POINTER;
  const auto it = answers_.find(name);
  if (it == answers_.end()) return E_INVALIDARG;
  Answer& answer = it->second;
  if (!answer.leave) {
    ::VariantClear(value);
    const HRESULT copied = ::VariantCopy(value, answer.value.get());
    if (FAILED(copied)) return copied;
  }
  return answer.result;
}

// Logged as "Bag.Write(key:type)"; what is written is the key's answer from then on.
STDMETHODIMP StrictBag::Write(LPCOLESTR name, VARIANT* value) {
  log_.Add("Bag.Write(" + Narrow(name) + ":" + (value ? VarTypeName(V_VT(value)) : "null") + ")");
  if (!name || !value) return E_POINTER;
  return ::VariantCopy(answers_[name].value.put(), value);
}

}  // namespace dicectl_tests
