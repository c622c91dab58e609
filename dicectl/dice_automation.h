#pragma once
// The Dice control's automation face: the dual interface _Dice, whose
// IDispatch runs through the type library, the class information that
// names its event interface, and its property page.
#include <ocidl.h>

#include "common/com_object.h"
#include "dicectl/tumbix.h"
#include "dicectl/type_info_dispatch.h"

namespace dicectl {

class Dice;

class DiceAutomation final : public win::ComPart<DualDispatch<_Dice>, IProvideClassInfo2, ISpecifyPropertyPages> {
 public:
  DiceAutomation(IUnknown& outer, Dice& dice);


  // _Dice.
  STDMETHODIMP Run() override;
  STDMETHODIMP put_HalfChance(DiceSixNumber value) override;
  STDMETHODIMP get_HalfChance(DiceSixNumber* value) override;
  STDMETHODIMP put_Resizeable(VARIANT_BOOL value) override;
  STDMETHODIMP get_Resizeable(VARIANT_BOOL* value) override;

  // IProvideClassInfo2.
  STDMETHODIMP GetClassInfo(ITypeInfo** info) override;
  STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override;

  // ISpecifyPropertyPages.
  STDMETHODIMP GetPages(CAUUID* pages) override;

 private:
  Dice& dice_;
};

}  // namespace dicectl
