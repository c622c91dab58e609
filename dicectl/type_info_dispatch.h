#pragma once
// IDispatch served through the type library embedded in this library: the
// names, dispatch identifiers and argument coercion are the type info's.
#include <ole2.h>

#include "common/com_call.h"
#include "common/com_ptr.h"

namespace dicectl {

// The library's own type library, loaded from its file without registering.
win::com_ptr<ITypeLib> LoadOwnTypeLib();

class TypeInfoDispatch {
 public:
  explicit TypeInfoDispatch(REFGUID iid);

  HRESULT GetTypeInfoCount(UINT* count) const;
  HRESULT GetTypeInfo(UINT index, ITypeInfo** info) const;
  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const;
  // object is the dual interface whose vtable the type info describes.
  HRESULT Invoke(void* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                 UINT* argErr) const;

 private:
  win::com_ptr<ITypeInfo> info_;
};

// The IDispatch part of a dual interface, through the type info of that
// interface; the class that derives supplies IUnknown and the members.
template <class Dual>
class DualDispatch : public Dual {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    return win::ComCall([&] { return dispatch_.GetTypeInfoCount(count); });
  }
  STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    return win::ComCall([&] { return dispatch_.GetTypeInfo(index, info); });
  }
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    return win::ComCall([&] {
      if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
      return dispatch_.GetIDsOfNames(names, count, ids);
    });
  }
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* excep,
                      UINT* argErr) override {
    return win::ComCall([&] {
      if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
      return dispatch_.Invoke(static_cast<Dual*>(this), id, flags, params, result, excep, argErr);
    });
  }

 protected:
  DualDispatch() : dispatch_(__uuidof(Dual)) {}
  ~DualDispatch() = default;

 private:
  TypeInfoDispatch dispatch_;
};

}  // namespace dicectl
