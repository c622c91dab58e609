#include "dicectl/type_info_dispatch.h"

#include "dicectl/module.h"

namespace dicectl {

win::com_ptr<ITypeLib> LoadOwnTypeLib() {
  win::com_ptr<ITypeLib> lib;
  ::LoadTypeLibEx(Module::Path(), REGKIND_NONE, lib.put());
  return lib;
}

TypeInfoDispatch::TypeInfoDispatch(REFGUID iid) {
  if (const auto lib = LoadOwnTypeLib()) lib->GetTypeInfoOfGuid(iid, info_.put());
}

HRESULT TypeInfoDispatch::GetTypeInfoCount(UINT* count) const {
  if (!count) return E_POINTER;
  *count = info_ ? 1 : 0;
  return S_OK;
}

HRESULT TypeInfoDispatch::GetTypeInfo(UINT index, ITypeInfo** info) const {
  if (!info) return E_POINTER;
  *info = nullptr;
  if (index != 0) return DISP_E_BADINDEX;
  if (!info_) return E_UNEXPECTED;
  *info = win::com_ptr<ITypeInfo>(info_).detach();
  return S_OK;
}

// The type info reads the names and writes the identifiers unchecked.
HRESULT TypeInfoDispatch::GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
  if (!ids || (count && !names)) return E_POINTER;
  if (!info_) return E_UNEXPECTED;
  return info_->GetIDsOfNames(names, count, ids);
}

HRESULT TypeInfoDispatch::Invoke(void* object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result,
                                 EXCEPINFO* excep, UINT* argErr) const {
  if (!info_) return E_UNEXPECTED;
  return info_->Invoke(object, id, flags, params, result, excep, argErr);
}

}  // namespace dicectl
