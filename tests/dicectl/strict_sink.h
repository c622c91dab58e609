#pragma once
// A container's sink for a control's events (a dispinterface) and its
// property notices, that logs every call under its name and answers
// QueryInterface only for the interfaces it is given. What a handler does
// inside an event, such as unadvising, is the test's.
#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

#include "strict/call_log.h"

namespace dicectl_tests {

class StrictSink final : public IDispatch, public IPropertyNotifySink {
 public:
  // answers: the IIDs besides IUnknown; an event interface's IID is
  // answered with the sink's IDispatch.
  StrictSink(CallLog& log, std::string name, std::vector<IID> answers)
      : log_(log), name_(std::move(name)), answers_(std::move(answers)) {}
  StrictSink(const StrictSink&) = delete;
  StrictSink& operator=(const StrictSink&) = delete;

  LONG HeldByOthers() const noexcept { return refs_.Others(); }
  // What Advise is given.
  IUnknown* Unknown() noexcept { return static_cast<IDispatch*>(this); }
  // Runs inside each event, after it is logged.
  std::function<void(DISPID event)> onEvent;

  // IUnknown.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return refs_.Add(); }
  STDMETHODIMP_(ULONG) Release() override { return refs_.Release(); }

  // IDispatch: the events, by dispatch identifier.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;

  // IPropertyNotifySink.
  STDMETHODIMP OnChanged(DISPID id) override;
  STDMETHODIMP OnRequestEdit(DISPID id) override;

 private:
  void Add(const std::string& call) { log_.Add(name_ + "." + call); }

  CallLog& log_;
  std::string name_;
  std::vector<IID> answers_;
  RefCount refs_;
};

}  // namespace dicectl_tests
