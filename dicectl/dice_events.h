#pragma once
// The Dice control's outgoing interfaces: the events of __Dice and the
// container's property-changed notices, each on its connection point.
#include <ocidl.h>

#include "common/com_object.h"
#include "dicectl/connection_point.h"

namespace dicectl {

class Dice;

class DiceEvents final : public win::ComPart<IConnectionPointContainer> {
 public:
  DiceEvents(IUnknown& outer, Dice& dice) noexcept;

  // Raises an event of __Dice on every sink, unless the container froze events.
  void Raise(DISPID event);
  void Raise(DISPID event, short argument);
  // The container's notice that a property changed; the control is then dirty.
  void PropertyChanged(DISPID property);

  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
  STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

 private:
  void Invoke(DISPID event, DISPPARAMS& params);

  Dice& dice_;
  ConnectionPoint events_;
  ConnectionPoint propertyNotify_;
};

}  // namespace dicectl
