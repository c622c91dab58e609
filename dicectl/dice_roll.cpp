#include "dicectl/dice_roll.h"

#include "dicectl/dice_ids.h"

namespace dicectl {
namespace {
constexpr int kFavouriteDraws = 10;  // k from 0 to 9
constexpr int kKeepShownBelow = 5;   // k < 5 keeps the face shown
}  // namespace

void DiceRoll::Run() { SetTimer(true, intervalMs_); }

void DiceRoll::Tick(int halfChance) {
  if (rollTicks_ == 0) host_.StartDice();
  ++rollTicks_;
  random_.Stir();
  const auto face = static_cast<short>(Scaled(random_.Next(), kFaceCount) + kFirstFace);
  host_.ShowFace(face);
  if (rollTicks_ <= kFastTicks) return;

  SetTimer(timerEnabled_, kSlowIntervalMs);
  if (++slowTicks_ != kSlowTickCount) return;

  rollTicks_ = 0;
  slowTicks_ = 0;
  lastFace_ = FinalFace(face, halfChance);
  SetTimer(false, kFastIntervalMs);
  host_.EndDice(lastFace_);
}

short DiceRoll::FinalFace(short shown, int halfChance) {
  if (halfChance == kNoHalfChance) return shown;
  if (Scaled(random_.Next(), kFavouriteDraws) < kKeepShownBelow) return shown;
  host_.ShowFace(halfChance);
  return static_cast<short>(halfChance);
}

void DiceRoll::SetTimer(bool enabled, unsigned intervalMs) {
  if (enabled == timerEnabled_ && intervalMs == intervalMs_) return;
  timerEnabled_ = enabled;
  intervalMs_ = intervalMs;
  host_.SetTimer1(enabled, intervalMs);
}

}  // namespace dicectl
