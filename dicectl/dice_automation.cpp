#include "dicectl/dice_automation.h"

#include "common/com_call.h"
#include "dicectl/dice.h"

namespace dicectl {

DiceAutomation::DiceAutomation(IUnknown& outer, Dice& dice)
    : ComPart(outer), dice_(dice) {}

STDMETHODIMP DiceAutomation::Run() {
  return win::ComCall([&] {
    dice_.Run();
    return S_OK;
  });
}

STDMETHODIMP DiceAutomation::put_HalfChance(DiceSixNumber value) {
  return win::ComCall([&] { return dice_.SetHalfChance(value); });
}

STDMETHODIMP DiceAutomation::get_HalfChance(DiceSixNumber* value) {
  return win::ComCall([&] {
    if (!value) return E_POINTER;
    *value = static_cast<DiceSixNumber>(dice_.HalfChance());
    return S_OK;
  });
}

STDMETHODIMP DiceAutomation::put_Resizeable(VARIANT_BOOL value) {
  return win::ComCall([&] {
    dice_.SetResizeable(value != VARIANT_FALSE);
    return S_OK;
  });
}

STDMETHODIMP DiceAutomation::get_Resizeable(VARIANT_BOOL* value) {
  return win::ComCall([&] {
    if (!value) return E_POINTER;
    *value = dice_.Resizeable() ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
  });
}

STDMETHODIMP DiceAutomation::GetClassInfo(ITypeInfo** info) {
  return win::ComCall([&] {
    if (!info) return E_POINTER;
    *info = nullptr;
    const auto lib = LoadOwnTypeLib();
    return lib ? lib->GetTypeInfoOfGuid(CLSID_Dice, info) : TYPE_E_CANTLOADLIBRARY;
  });
}

STDMETHODIMP DiceAutomation::GetGUID(DWORD kind, GUID* guid) {
  return win::ComCall([&] {
    if (!guid) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
      *guid = GUID_NULL;
      return E_INVALIDARG;
    }
    *guid = DIID___Dice;
    return S_OK;
  });
}

STDMETHODIMP DiceAutomation::GetPages(CAUUID* pages) {
  return win::ComCall([&] {
    if (!pages) return E_POINTER;
    pages->pElems = static_cast<GUID*>(::CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) {
      pages->cElems = 0;
      return E_OUTOFMEMORY;
    }
    pages->cElems = 1;
    pages->pElems[0] = CLSID_DiceProperty;
    return S_OK;
  });
}

}  // namespace dicectl
