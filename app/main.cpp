// vesha: the program's entry. The main window's start-up runs the board
// loop; when it returns, the program ends.
#include <windows.h>
#include <commctrl.h>

#include "app/form1.h"
#include "common/app_path.h"
#include "common/com_ptr.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  const win::ole_init ole;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);

  app::SystemRandom random;
  app::SystemMessagePrompt messages;
  printing::SystemPrinterPrompt printer;
  printing::GdiTextPrinter textPrinter;
  app::SystemFrameClock clock;
  app::SystemKeyState keys;
  app::SystemScreen screen;
  app::SystemShellOpener shell;
  app::Services services{random, messages, printer, textPrinter, clock, keys, screen, shell, win::AppPath()};

  app::Form1 form(services);
  if (!form.Create()) return 1;
  form.Form_Load();
  return 0;
}
