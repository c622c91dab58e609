#pragma once
// One die's roll: the tick counting of Timer1_Timer, the click that jumps
// to the ending phase, and the final-face decision with a favourite face.
// It owns no window or timer; its host shows faces, drives Timer1 and
// raises the events.
#include "dicectl/dice_ids.h"
#include "dicectl/face_random.h"

namespace dicectl {

class DiceRoll {
 public:
  class Host {
   public:
    virtual void StartDice() = 0;
    virtual void EndDice(short diceNum) = 0;
    virtual void ShowFace(int face) = 0;
    // Timer1's Enabled and Interval together; called only when one changes.
    virtual void SetTimer1(bool enabled, unsigned intervalMs) = 0;

   protected:
    ~Host() = default;
  };

  DiceRoll(Host& host, FaceRandom& random) noexcept : host_(host), random_(random) {}

  // Run: enables Timer1 and nothing else.
  void Run();
  // ImgDice_Click: the next tick is the first of the ending phase.
  void Click() noexcept { rollTicks_ = kFastTicks; }
  // Timer1_Timer; halfChance is the favourite face, 0 for none.
  void Tick(int halfChance);

  short RollTicks() const noexcept { return rollTicks_; }
  short SlowTicks() const noexcept { return slowTicks_; }
  short LastFace() const noexcept { return lastFace_; }
  bool TimerEnabled() const noexcept { return timerEnabled_; }
  unsigned TimerInterval() const noexcept { return intervalMs_; }

  // The face a roll ends on, given the face last shown; shows the favourite
  // when it wins.
  short FinalFace(short shown, int halfChance);

 private:
  void SetTimer(bool enabled, unsigned intervalMs);

  Host& host_;
  FaceRandom& random_;
  short rollTicks_ = 0;
  short slowTicks_ = 0;
  short lastFace_ = 0;
  bool timerEnabled_ = false;
  unsigned intervalMs_ = kFastIntervalMs;
};

}  // namespace dicectl
