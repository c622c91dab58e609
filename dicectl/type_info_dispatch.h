#pragma once
// IDispatch served through the type library embedded in this library: the
// names, dispatch identifiers and argument coercion are the type info's.
#include <ole2.h>

#include "com_ptr.h"

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

}  // namespace dicectl
