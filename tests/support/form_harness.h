#pragma once
// A main window with fake seams and a store of its own, and a way to run
// test steps inside its board loop, as every handler of the program runs.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/form1.h"
#include "app/services.h"
#include "support/fakes.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"

namespace testing_support {

class FormHarness {
 public:
  explicit FormHarness(const std::vector<StoreLot>& lots = {},
                       const std::vector<StoreChar>& chars = {});
  // The same, on the program directory given, with its own store.
  explicit FormHarness(std::wstring appPath);

  // Runs Form_Load; once the board loop runs, runs the steps inside it,
  // then closes the window unless the steps did or scheduled actions with
  // After (the last of those closes it). Returns when Form_Load does.
  void RunLoaded(const std::function<void()>& steps);

  // Runs the action once, that long after the call, from the event loop.
  static void After(UINT milliseconds, std::function<void()> action);

  // Sends a menu command to the main window, as choosing it does.
  void Command(int id);
  // Chooses the command that opens a window; the window, which must be there.
  template <class W>
  W& Open(int command, W* (app::Form1::*window)() const) {
    Command(command);
    W* w = ((*form).*window)();
    if (!w) throw std::runtime_error("the command opened no window");
    return *w;
  }
  // The text view's own visibility: the main window itself need not show.
  bool TextViewShown() const;
  // Types text into a control as the keyboard would, one WM_CHAR each.
  static void Type(HWND control, std::wstring_view text);
  // Clicks a button or a label as the mouse would.
  static void Click(HWND control);

  TempDir dir;  // the program directory unless one was given
  FakeRandom random;
  RecordingMessages messages;
  FakePrinterPrompt printer;
  RecordingTextPrinter textPrinter;
  app::SystemFrameClock clock;
  FakeKeys keys;
  FakeScreen screen;
  FakeShell shell;
  app::Services services;
  std::unique_ptr<app::Form1> form;
};

}  // namespace testing_support
