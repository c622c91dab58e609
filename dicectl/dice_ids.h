#pragma once
// Fixed numbers of the dice control behind its interface: resource IDs and
// the sizes and timings of a roll.
#include <ole2.h>

#include "dicectl/dice_interface.h"

namespace dicectl {

// Bitmap resources: faces 1 to 6 under their own number, and the toolbox picture.
inline constexpr int kFirstFace = 1;
inline constexpr int kLastFace = 6;
inline constexpr int kFaceCount = kLastFace - kFirstFace + 1;
inline constexpr int kToolboxBitmap = 30000;

// Timer1.
inline constexpr UINT kFastIntervalMs = 50;
inline constexpr UINT kSlowIntervalMs = 200;
inline constexpr short kFastTicks = 60;    // ticks before the ending phase
inline constexpr short kSlowTickCount = 3; // ticks of the ending phase

}  // namespace dicectl
