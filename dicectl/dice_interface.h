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

// A property of _Dice as automation, the property page and a container's
// saved state know it: its name (also its key in a property bag), its
// dispatch number, the type of its value and its default.
struct ControlProperty {
  const wchar_t* name;
  DISPID dispid;
  VARTYPE type;
  LONG defaultValue;
};

inline constexpr ControlProperty kResizeable{L"Resizeable", 0x68030000, VT_BOOL, TRUE};
// HalfChance is a DiceSixNumber: NoHalfChance, else the favourite face.
inline constexpr LONG kNoHalfChance = 0;
inline constexpr ControlProperty kHalfChance{L"HalfChance", 0x68030001, VT_I4, kNoHalfChance};
inline constexpr ControlProperty kDiceProperties[] = {kHalfChance, kResizeable};

// __Dice events.
inline constexpr DISPID kDispidStartDice = 1;
inline constexpr DISPID kDispidEndDice = 2;

}  // namespace dicectl
