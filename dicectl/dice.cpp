#include "dicectl/dice.h"

#include <new>

#include "common/com_ptr.h"
#include "dicectl/dice_ids.h"
#include "dicectl/tumbix.h"

namespace dicectl {

HRESULT Dice::Create(REFIID iid, void** out) { return Create(std::make_unique<SystemFaceRandom>(), iid, out); }

HRESULT Dice::Create(std::unique_ptr<FaceRandom> random, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* dice = new (std::nothrow) Dice(std::move(random));
  if (!dice) return E_OUTOFMEMORY;
  const auto self = win::com_ptr<IUnknown>::attach(static_cast<IUnknown*>(dice));
  if (!dice->Initialize()) return E_FAIL;
  return dice->QueryInterface(iid, out);
}

Dice::Dice(std::unique_ptr<FaceRandom> random)
    : random_(std::move(random)),
      roll_(*this, *random_),
      window_(*this, imgDice_),
      oleObject_(*this, *this),
      inPlace_(*this, *this),
      view_(*this, *this),
      persist_(*this, *this),
      events_(*this, *this),
      automation_(*this, *this) {}

Dice::~Dice() = default;

bool Dice::Initialize() {
  if (!window_.Create()) return false;
  UserControl_Initialize();
  return true;
}

void Dice::UserControl_Initialize() {
  ShowFace(kFirstFace);
  SetResizeable(kResizeable.defaultValue != 0);
}

win::InterfaceList<Dice> Dice::Interfaces() noexcept {
  using win::AsPart;
  static const win::InterfaceEntry<Dice> table[] = {
      {IID_IUnknown, &win::AsSelf<Dice, IUnknown>},
      {IID_IOleObject, &AsPart<&Dice::oleObject_, IOleObject>},
      {IID_IOleControl, &AsPart<&Dice::oleObject_, IOleControl>},
      {IID_IOleWindow, &AsPart<&Dice::inPlace_, IOleInPlaceObject>},
      {IID_IOleInPlaceObject, &AsPart<&Dice::inPlace_, IOleInPlaceObject>},
      {IID_IOleInPlaceActiveObject, &AsPart<&Dice::inPlace_, IOleInPlaceActiveObject>},
      {IID_IViewObject, &AsPart<&Dice::view_, IViewObject2>},
      {IID_IViewObject2, &AsPart<&Dice::view_, IViewObject2>},
      {IID_IPersist, &AsPart<&Dice::persist_, IPersistStreamInit>},
      {IID_IPersistStreamInit, &AsPart<&Dice::persist_, IPersistStreamInit>},
      {IID_IPersistPropertyBag, &AsPart<&Dice::persist_, IPersistPropertyBag>},
      {IID_IConnectionPointContainer, &AsPart<&Dice::events_, IConnectionPointContainer>},
      {IID_IDispatch, &AsPart<&Dice::automation_, _Dice>},
      {IID__Dice, &AsPart<&Dice::automation_, _Dice>},
      {IID_IProvideClassInfo, &AsPart<&Dice::automation_, IProvideClassInfo2>},
      {IID_IProvideClassInfo2, &AsPart<&Dice::automation_, IProvideClassInfo2>},
      {IID_ISpecifyPropertyPages, &AsPart<&Dice::automation_, ISpecifyPropertyPages>},
  };
  return table;
}

void Dice::Run() { roll_.Run(); }

bool Dice::IsDiceSixNumber(int value) noexcept { return value >= kNoHalfChance && value <= kLastFace; }

HRESULT Dice::SetHalfChance(int value) {
  if (!IsDiceSixNumber(value)) return E_INVALIDARG;
  halfChance_ = value;
  events_.PropertyChanged(kHalfChance.dispid);
  return S_OK;
}

void Dice::SetResizeable(bool value) {
  const bool changed = size_.SetResizeable(value);
  events_.PropertyChanged(kResizeable.dispid);
  if (!value) SizeSet(changed);
}

void Dice::ReadProperties(int halfChance, bool resizeable) noexcept {
  halfChance_ = IsDiceSixNumber(halfChance) ? halfChance : kNoHalfChance;
  size_.RestoreResizeable(resizeable);
}

void Dice::UserControl_Resize(TwipsSize offered) { SizeSet(size_.Offer(offered)); }

// ImgDice always has the control's size: the window is resized with it.
void Dice::SizeSet(bool changed) {
  inPlace_.SizeChanged();
  if (changed) view_.Changed();
}

void Dice::StartDice() { events_.Raise(kDispidStartDice); }

void Dice::EndDice(short diceNum) { events_.Raise(kDispidEndDice, diceNum); }

void Dice::ShowFace(int face) {
  imgDice_.Show(face);
  window_.Repaint();
  view_.Changed();
}

void Dice::SetTimer1(bool enabled, unsigned intervalMs) { window_.SetTimer1(enabled, intervalMs); }

void Dice::ImgDice_Click() { roll_.Click(); }

// The container's handlers run inside the events of a tick and may release
// the control; it stays alive until the tick is over.
void Dice::Timer1_Timer() {
  const win::com_ptr<IUnknown> keep(this);
  roll_.Tick(halfChance_);
}

}  // namespace dicectl
