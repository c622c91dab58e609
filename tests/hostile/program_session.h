#pragma once
// vesha.exe run from a spoiled program directory and used as a person
// would: the draw, the character test and the dice window, each answered
// from outside, with whatever message box it put up.
#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "remote/running_program.h"

namespace hostile {

// What a window did with what was asked of it: the message it put up
// (answered at once), and the text the main window's text view then
// shows, or nothing when the view stayed hidden.
struct Outcome {
  std::optional<std::wstring> message;
  std::optional<std::wstring> shown;
};

struct DiceOutcome {
  bool opened = false;
  std::optional<std::wstring> openingMessage;  // answered once the window shows
  bool castsEnabled = false;
  Outcome typed;  // the sums typed by hand and OK pressed
};

class ProgramSession {
 public:
  explicit ProgramSession(const std::wstring& exe) : program_(exe) {}

  remote::RunningProgram& program() { return program_; }
  bool Answers() const;
  // The message box up now, answered; nothing when there is none.
  std::optional<std::wstring> TakeMessage() const;

  Outcome Draw();
  Outcome CharacterTest(std::wstring_view characters);
  DiceOutcome Dice(const std::array<std::wstring_view, 3>& sums);

 private:
  // The message put up, or the text view's text once the window asked
  // for is gone (or, for the draw, once the view shows).
  Outcome Await(const wchar_t* windowClass);
  std::optional<std::wstring> Shown() const;

  remote::RunningProgram program_;
};

}  // namespace hostile
