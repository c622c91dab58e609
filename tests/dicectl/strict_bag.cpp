#include "strict/strict_bag.h"

namespace dicectl_tests {
namespace {

// "key:type", as the log shows a call.
std::string Call(LPCOLESTR name, const VARIANT* value) {
  std::string call;
  for (LPCOLESTR c = name; c && *c; ++c) call += static_cast<char>(*c);
  return call + ":" + (value ? VarTypeName(V_VT(value)) : "null");
}

}  // namespace

// The type logged is the one asked for.
STDMETHODIMP StrictBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
  Log("Read(" + Call(name, value) + ")");
  if (!name || !value) return E_POINTER;
  const auto it = answers_.find(name);
  if (it == answers_.end()) return E_INVALIDARG;
  Reply& answer = it->second;
  if (!answer.leave) {
    ::VariantClear(value);
    const HRESULT copied = ::VariantCopy(value, answer.value.get());
    if (FAILED(copied)) return copied;
  }
  return answer.result;
}

// What is written is the key's answer from then on.
STDMETHODIMP StrictBag::Write(LPCOLESTR name, VARIANT* value) {
  Log("Write(" + Call(name, value) + ")");
  if (!name || !value) return E_POINTER;
  return ::VariantCopy(answers_[name].value.put(), value);
}

}  // namespace dicectl_tests
