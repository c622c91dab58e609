#pragma once
// What a person does with the program, one piece of use each. Every
// episode leaves no window open but the main window, so that samples
// taken between episodes compare like with like.
#include "soak/session.h"

namespace soak {

// Every kind of use once, and a real print, a message box and a second
// dice window: what the first use loads (the dice library, the printer's
// driver, fonts, icons) stays loaded, and is no growth.
void WarmUp(Session& s);

void DrawLot(Session& s);
void BackToBoard(Session& s);
void PrintText(Session& s);
void PrintText(Session& s, bool print);

void CharacterTest(Session& s);
// OK with no characters: a message box, whatever else the seed chose.
void EmptyCharacterTest(Session& s);
void DiceCast(Session& s);
void ReadWindow(Session& s);
void ReadWindow(Session& s, bool about);

void BoardKeys(Session& s);
void DoubleClickBoard(Session& s);
void ResizeMain(Session& s);

}  // namespace soak
