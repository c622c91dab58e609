#pragma once
// The Dice control: one die that rolls on Run, stops early on a click,
// favours a face when asked to, and keeps itself square or at its design
// size. This class is the COM object's identity and its state; each
// interface family lives in a part of its own (dice_*.h).
#include <ole2.h>

#include <memory>

#include "common/com_object.h"
#include "dicectl/dice_automation.h"
#include "dicectl/dice_events.h"
#include "dicectl/dice_in_place.h"
#include "dicectl/dice_ole_object.h"
#include "dicectl/dice_persist.h"
#include "dicectl/dice_roll.h"
#include "dicectl/dice_size.h"
#include "dicectl/dice_view.h"
#include "dicectl/dice_window.h"
#include "dicectl/face_picture.h"
#include "dicectl/face_random.h"
#include "dicectl/module.h"

namespace dicectl {

class Dice final : public win::ComObject<Dice, IUnknown>, private DiceRoll::Host, private DiceWindow::Owner {
 public:
  static win::InterfaceList<Dice> Interfaces() noexcept;

  // The class factory's creation, with the real generator.
  static HRESULT Create(REFIID iid, void** out);
  // With a generator of the caller's, for tests.
  static HRESULT Create(std::unique_ptr<FaceRandom> random, REFIID iid, void** out);

  // _Dice.
  void Run();
  int HalfChance() const noexcept { return halfChance_; }
  // Only DiceSixNumber values are taken: a face with no picture would end a roll.
  HRESULT SetHalfChance(int value);
  bool Resizeable() const noexcept { return size_.Resizeable(); }
  void SetResizeable(bool value);

  // UserControl_ReadProperties: stored directly, no notice, no resizing.
  void ReadProperties(int halfChance, bool resizeable) noexcept;
  static bool IsDiceSixNumber(int value) noexcept;

  // The container offers the control a size; the sizing rule answers.
  void UserControl_Resize(TwipsSize offered);
  const DiceSize& Size() const noexcept { return size_; }

  bool IsDirty() const noexcept { return dirty_; }
  void SetDirty(bool dirty) noexcept { dirty_ = dirty; }

  const FacePicture& ImgDice() const noexcept { return imgDice_; }
  DiceWindow& Window() noexcept { return window_; }
  const DiceRoll& Roll() const noexcept { return roll_; }

  DiceOleObject& OleObject() noexcept { return oleObject_; }
  DiceInPlace& InPlace() noexcept { return inPlace_; }
  DiceView& View() noexcept { return view_; }
  DiceEvents& Events() noexcept { return events_; }

 private:
  explicit Dice(std::unique_ptr<FaceRandom> random);
  ~Dice() override;
  bool Initialize();

  // UserControl_Initialize.
  void UserControl_Initialize();
  // The size was set, changed or not: the window follows it.
  void SizeSet(bool changed);

  // DiceRoll::Host.
  void StartDice() override;
  void EndDice(short diceNum) override;
  void ShowFace(int face) override;
  void SetTimer1(bool enabled, unsigned intervalMs) override;

  // DiceWindow::Owner.
  void ImgDice_Click() override;
  void Timer1_Timer() override;

  ModuleLock lock_;
  std::unique_ptr<FaceRandom> random_;
  FacePicture imgDice_;
  DiceRoll roll_;
  DiceWindow window_;
  int halfChance_ = kHalfChance.defaultValue;
  DiceSize size_;
  bool dirty_ = false;

  DiceOleObject oleObject_;
  DiceInPlace inPlace_;
  DiceView view_;
  DicePersist persist_;
  DiceEvents events_;
  DiceAutomation automation_;
};

}  // namespace dicectl
