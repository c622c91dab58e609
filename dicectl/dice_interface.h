#pragma once
// The dice control as its clients see it: created from its ProgID, driven
// and heard late-bound, by dispatch number.
#include <ole2.h>

namespace dicectl {

inline constexpr wchar_t kDiceProgId[] = L"Tumbix.Dice";
// The window each control shows itself in.
inline constexpr wchar_t kDiceWindowClass[] = L"TumbixDice";

// _Dice members.
inline constexpr DISPID kDispidRun = 0x60030002;
inline constexpr DISPID kDispidHalfChance = 0x68030001;
inline constexpr DISPID kDispidResizeable = 0x68030000;

// __Dice events.
inline constexpr DISPID kDispidStartDice = 1;
inline constexpr DISPID kDispidEndDice = 2;

}  // namespace dicectl
