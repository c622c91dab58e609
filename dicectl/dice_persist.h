#pragma once
// Saving and restoring the Dice control's properties, in a container's
// property bag (under their names, defaults left out) or in a stream.
#include <ocidl.h>

#include "common/com_object.h"

namespace dicectl {

class Dice;

class DicePersist final : public win::ComPart<IPersistStreamInit, IPersistPropertyBag> {
 public:
  DicePersist(IUnknown& outer, Dice& dice) noexcept : ComPart(outer), dice_(dice) {}

  // IPersist.
  STDMETHODIMP GetClassID(CLSID* clsid) override;

  // IPersistStreamInit and IPersistPropertyBag.
  STDMETHODIMP InitNew() override;

  // IPersistStreamInit.
  STDMETHODIMP IsDirty() override;
  STDMETHODIMP Load(IStream* stream) override;
  STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
  STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;

  // IPersistPropertyBag.
  STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
  STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

 private:
  // InitNew and Load start the object's life in two exclusive ways; through
  // either interface, each refuses once the other has run.
  enum class State { Fresh, New, Loaded };

  Dice& dice_;
  State state_ = State::Fresh;
};

}  // namespace dicectl
