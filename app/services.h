#pragma once
// What the program's windows take from the platform, gathered so that
// tests can hand in their own.
#include <string>

#include "frame_clock.h"
#include "key_state.h"
#include "message_prompt.h"
#include "print_document.h"
#include "printer_prompt.h"
#include "random_source.h"
#include "shell_opener.h"

namespace app {

struct Services {
  RandomSource& random;
  MessagePrompt& messages;
  oracle::PrinterPrompt& printer;
  oracle::TextPrinter& textPrinter;
  FrameClock& clock;
  KeyState& keys;
  ShellOpener& shell;
  std::wstring appPath;  // the program directory, no trailing backslash
};

}  // namespace app
