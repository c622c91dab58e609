#include "dicectl/dice.h"

#include <new>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "dicectl/com_call.h"
#include "dicectl/delegating_unknown.h"
#include "dicectl/dice_ids.h"
#include "dicectl/tumbix.h"

namespace dicectl {

HRESULT Dice::Create(REFIID iid, void** out) { return Create(std::make_unique<SystemFaceRandom>(), iid, out); }

HRESULT Dice::Create(std::unique_ptr<FaceRandom> random, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* dice = new (std::nothrow) Dice(std::move(random));
  if (!dice) return E_OUTOFMEMORY;
  const auto self = win::com_ptr<IUnknown>::attach(dice);
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
  SetResizeable(true);
}

STDMETHODIMP Dice::QueryInterface(REFIID iid, void** out) {
  return ComCall([&] {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown) return win::HandOut(static_cast<IUnknown*>(this), out);
    if (iid == IID_IOleObject) return win::HandOut(static_cast<IOleObject*>(&oleObject_), out);
    if (iid == IID_IOleControl) return win::HandOut(static_cast<IOleControl*>(&oleObject_), out);
    if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject)
      return win::HandOut(static_cast<IOleInPlaceObject*>(&inPlace_), out);
    if (iid == IID_IOleInPlaceActiveObject) return win::HandOut(static_cast<IOleInPlaceActiveObject*>(&inPlace_), out);
    if (iid == IID_IViewObject || iid == IID_IViewObject2) return win::HandOut(static_cast<IViewObject2*>(&view_), out);
    if (iid == IID_IPersist || iid == IID_IPersistStreamInit)
      return win::HandOut(static_cast<IPersistStreamInit*>(&persist_), out);
    if (iid == IID_IPersistPropertyBag) return win::HandOut(static_cast<IPersistPropertyBag*>(&persist_), out);
    if (iid == IID_IConnectionPointContainer)
      return win::HandOut(static_cast<IConnectionPointContainer*>(&events_), out);
    if (iid == IID_IDispatch || iid == IID__Dice) return win::HandOut(static_cast<_Dice*>(&automation_), out);
    if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
      return win::HandOut(static_cast<IProvideClassInfo2*>(&automation_), out);
    if (iid == IID_ISpecifyPropertyPages) return win::HandOut(static_cast<ISpecifyPropertyPages*>(&automation_), out);
    return E_NOINTERFACE;
  });
}

STDMETHODIMP_(ULONG) Dice::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&refs_)); }

STDMETHODIMP_(ULONG) Dice::Release() {
  const LONG left = ::InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

void Dice::Run() { roll_.Run(); }

bool Dice::IsDiceSixNumber(int value) noexcept { return value >= kNoHalfChance && value <= kLastFace; }

HRESULT Dice::SetHalfChance(int value) {
  if (!IsDiceSixNumber(value)) return E_INVALIDARG;
  halfChance_ = value;
  events_.PropertyChanged(kDispidHalfChance);
  return S_OK;
}

void Dice::SetResizeable(bool value) {
  resizeable_ = value;
  events_.PropertyChanged(kDispidResizeable);
  if (!value) SetSize({kDesignSizeTwips, kDesignSizeTwips});
}

void Dice::ReadProperties(int halfChance, bool resizeable) noexcept {
  halfChance_ = IsDiceSixNumber(halfChance) ? halfChance : kNoHalfChance;
  resizeable_ = resizeable;
}

void Dice::UserControl_Resize(TwipsSize requested) {
  if (resizeable_)
    SetSize({requested.height, requested.height});
  else
    SetSize({kDesignSizeTwips, kDesignSizeTwips});
}

SIZE Dice::PixelSize() const noexcept { return {win::TwipsToPixelsX(size_.width), win::TwipsToPixelsY(size_.height)}; }

// ImgDice always has the control's size: the window is resized with it.
void Dice::SetSize(TwipsSize size) {
  const bool changed = size != size_;
  size_ = size;
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
