#pragma once
// Fixed numbers of the dice control: dispatch identifiers, event numbers,
// resource IDs and the sizes and timings of a roll.
#include <ole2.h>

namespace dicectl {

// _Dice members, invoked by number by the dice window.
inline constexpr DISPID kDispidRun = 0x60030002;
inline constexpr DISPID kDispidHalfChance = 0x68030001;
inline constexpr DISPID kDispidResizeable = 0x68030000;

// __Dice events.
inline constexpr DISPID kDispidStartDice = 1;
inline constexpr DISPID kDispidEndDice = 2;

// Bitmap resources: faces 1 to 6 under their own number, and the toolbox picture.
inline constexpr int kFirstFace = 1;
inline constexpr int kLastFace = 6;
inline constexpr int kFaceCount = kLastFace - kFirstFace + 1;
inline constexpr int kToolboxBitmap = 30000;

// The control's design size, and its fixed size when not resizeable.
inline constexpr int kDesignSizeTwips = 600;

// Timer1.
inline constexpr UINT kFastIntervalMs = 50;
inline constexpr UINT kSlowIntervalMs = 200;
inline constexpr short kFastTicks = 60;    // ticks before the ending phase
inline constexpr short kSlowTickCount = 3; // ticks of the ending phase

// HalfChance values: 0 for none, else the favourite face.
inline constexpr int kNoHalfChance = 0;

}  // namespace dicectl
