#pragma once
// A vesha.exe started and watched from outside, for drivers and tests
// that use the program as a person would.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "common/unique_handle.h"

namespace remote {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string Seconds(ULONGLONG ms);

class RunningProgram {
 public:
  // Starts the program and waits for its main window; throws Failure
  // when it does not come up.
  explicit RunningProgram(const std::wstring& exePath);
  // Waits for the main window of a program someone else started: the one
  // whose image is imagePath, or with an empty path the one vesha.exe that
  // runs. Throws Failure when none comes up or more than one could be meant.
  struct AlreadyRunning {};
  RunningProgram(AlreadyRunning, const std::wstring& imagePath);
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;
  // A program still running at the end is ended, so none outlives its
  // driver.
  ~RunningProgram();

  HWND main() const { return main_; }
  DWORD pid() const { return pid_; }
  HANDLE process() const { return process_.get(); }
  bool Running() const;
  // The time from the start, or from the search, until the main window showed.
  ULONGLONG StartMs() const { return startMs_; }

  // A control of the main window, or of the process's visible top-level
  // window of that class.
  HWND Control(int id) const { return ::GetDlgItem(main_, id); }
  HWND Window(const wchar_t* className) const;

  // Posts a menu command, as the menu does when an item is chosen.
  void Command(int id) const;

  // Closes the main window and waits for the end; throws Failure unless
  // the program ends in time with exit code 0.
  void Close();

 private:
  win::unique_handle process_;
  DWORD pid_ = 0;
  HWND main_ = nullptr;
  ULONGLONG startMs_ = 0;
};

}  // namespace remote
