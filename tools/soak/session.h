#pragma once
// One person at a running vesha: choices drawn from a seeded generator,
// the hands (menu, mouse, keys) and the checks made after every step.
#include <windows.h>

#include <cstdint>
#include <deque>
#include <optional>
#include <random>
#include <string>

#include "remote/running_program.h"
#include "app/form1_ids.h"
#include "soak/store_contents.h"
#include "soak/usage_series.h"

namespace soak {

using app::form1::MenuId;

struct Tally {
  int commands = 0;
  int lots = 0;
  int windows = 0;
  int rolls = 0;
  int prints = 0;
  int printsCancelled = 0;
  int messages = 0;
  int clicksAgain = 0;  // menus and double-clicks that took a second try, by mouse or keys
};

class Session {
 public:
  Session(const std::wstring& exePath, std::uint64_t seed);

  int Pick(int count);
  double Fraction();
  bool Chance(double p);

  remote::RunningProgram& program() { return program_; }
  const StoreContents& store() const { return store_; }
  Tally& tally() { return tally_; }
  UsageSeries& usage() { return usage_; }

  bool TextViewShown() const;
  bool MenuBarShown() const;
  std::wstring ShownText() const;
  POINT TextPoint();
  // A point of the board that no other window covers.
  POINT BoardPoint();

  // Records a step, for the report of a failure.
  void Step(std::string what);
  std::string RecentSteps() const;

  // Throws remote::Failure when the program has ended, does not answer
  // within 5 s, or shows a message box that no step caused.
  void Check();
  void Sample();

  // The menu, as a person opens it: a button released over the board, or
  // the menu bar, or first back to the board from a text view without one.
  void Choose(MenuId item);
  void ReturnToBoard();
  // Presses a button through its click message.
  void Press(HWND button);

  HWND AwaitWindow(const wchar_t* className, const char* what);
  void AwaitGone(HWND window, const char* what);
  // Waits for the message box the step caused, closes it and returns its text.
  std::wstring ExpectMessageBox(const char* cause);
  // The same for a message box that may come: nothing when none came.
  std::optional<std::wstring> TakeMessageBox(ULONGLONG timeoutMs, const char* cause);

  // The text view shows the lot's text as the store holds it.
  void CheckLotShown(std::int16_t lot);
  // The text view shows some lot's text (a draw); before is the text it showed.
  void CheckSomeLotShown(const std::wstring& before);

 private:
  HWND AwaitPopupMenu(ULONGLONG timeoutMs);
  HWND PopupFromMenuBar(MenuId item);
  HWND PopupByKeys(MenuId item);
  HWND PopupByClick(MenuId item);

  std::mt19937_64 random_;
  StoreContents store_;
  remote::RunningProgram program_;
  Tally tally_;
  UsageSeries usage_;
  std::deque<std::string> recent_;
};

}  // namespace soak
