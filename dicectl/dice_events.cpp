#include "dicectl/dice_events.h"

#include "common/com_call.h"
#include "common/com_ptr.h"
#include "dicectl/connection_point_enum.h"
#include "dicectl/dice.h"
#include "dicectl/tumbix.h"

namespace dicectl {

DiceEvents::DiceEvents(IUnknown& outer, Dice& dice) noexcept
    : ComPart(outer), dice_(dice), events_(*this, DIID___Dice), propertyNotify_(*this, IID_IPropertyNotifySink) {}

void DiceEvents::Raise(DISPID event) {
  DISPPARAMS params{nullptr, nullptr, 0, 0};
  Invoke(event, params);
}

void DiceEvents::Raise(DISPID event, short argument) {
  VARIANT arg;
  V_VT(&arg) = VT_I2;
  V_I2(&arg) = argument;
  DISPPARAMS params{&arg, nullptr, 1, 0};
  Invoke(event, params);
}

// A sink was advised through the point's interface, and the pointer kept is
// that interface: __Dice is a dispinterface, so the sink is called as the
// IDispatch it is, whether or not it also answers IID_IDispatch.
void DiceEvents::Invoke(DISPID event, DISPPARAMS& params) {
  if (dice_.OleObject().EventsFrozen()) return;
  for (const auto& connection : events_.Sinks()) {
    if (!events_.Connected(connection.cookie)) continue;
    auto* dispatch = static_cast<IDispatch*>(connection.sink.get());
    dispatch->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  }
}

void DiceEvents::PropertyChanged(DISPID property) {
  dice_.SetDirty(true);
  for (const auto& connection : propertyNotify_.Sinks()) {
    if (!propertyNotify_.Connected(connection.cookie)) continue;
    auto* notify = static_cast<IPropertyNotifySink*>(connection.sink.get());
    notify->OnChanged(property);
  }
}

STDMETHODIMP DiceEvents::EnumConnectionPoints(IEnumConnectionPoints** points) {
  return win::ComCall([&] {
    return ConnectionPointEnum::Create(
        {win::com_ptr<IConnectionPoint>(&events_), win::com_ptr<IConnectionPoint>(&propertyNotify_)}, 0, points);
  });
}

STDMETHODIMP DiceEvents::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  return win::ComCall([&] {
    if (!point) return E_POINTER;
    *point = nullptr;
    for (ConnectionPoint* candidate : {&events_, &propertyNotify_}) {
      if (candidate->iid() == iid)
        return win::HandOut(static_cast<IConnectionPoint*>(candidate), reinterpret_cast<void**>(point));
    }
    return CONNECT_E_NOCONNECTION;
  });
}

}  // namespace dicectl
