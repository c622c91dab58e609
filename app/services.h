#pragma once
// What the program's windows take from the platform, gathered so that
// tests can hand in their own.
#include <string>

#include "app/frame_clock.h"
#include "app/key_state.h"
#include "app/message_prompt.h"
#include "app/random_source.h"
#include "app/screen.h"
#include "app/shell_opener.h"
#include "printing/print_document.h"
#include "printing/printer_prompt.h"

namespace app {

struct Services {
  RandomSource& random;
  MessagePrompt& messages;
  printing::PrinterPrompt& printer;
  printing::TextPrinter& textPrinter;
  FrameClock& clock;
  KeyState& keys;
  Screen& screen;
  ShellOpener& shell;
  std::wstring appPath;  // the program directory, no trailing backslash
};

}  // namespace app
