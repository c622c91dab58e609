#pragma once
// A container's sink for a control's events (a dispinterface) and its
// property notices, that logs every call under its name and answers
// QueryInterface only for the interfaces it is given. What a handler does
// inside an event, such as unadvising, is the test's.
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "strict/strict_object.h"

namespace dicectl_tests {

class StrictSink final : public StrictObject<IDispatch, IPropertyNotifySink> {
 public:
  // answers: the IIDs besides IUnknown; an event interface's IID is
  // answered with the sink's IDispatch.
  StrictSink(CallLog& log, const std::string& name, std::vector<IID> answers)
      : StrictObject(log, name + "."), answers_(std::move(answers)) {}

  // What Advise is given.
  IUnknown* Unknown() noexcept { return static_cast<IDispatch*>(this); }
  // Runs inside each event, after it is logged.
  std::function<void(DISPID event)> onEvent;

  // IDispatch: the events, by dispatch identifier.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override { return Give("GetTypeInfoCount()", 0u, count); }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override { return Refuse("GetTypeInfo()", info); }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return Answer("GetIDsOfNames()", E_NOTIMPL);
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;

  // IPropertyNotifySink.
  STDMETHODIMP OnChanged(DISPID id) override { return Answer("OnChanged(" + std::to_string(id) + ")", S_OK); }
  STDMETHODIMP OnRequestEdit(DISPID id) override { return Answer("OnRequestEdit(" + std::to_string(id) + ")", S_OK); }

 private:
  IUnknown* Find(REFIID iid) override;

  std::vector<IID> answers_;
};

}  // namespace dicectl_tests
