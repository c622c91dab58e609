#pragma once
// Helpers for tests that drive real windows.
#include <windows.h>

#include <ostream>
#include <vector>

#include "common/unique_handle.h"

namespace testing_support {

// Dispatches this thread's messages for about the given time.
void PumpFor(DWORD milliseconds);

// How many top-level windows of the class this process has.
int CountWindows(const wchar_t* className);

// Counts of this process's GDI and USER objects (under Wine, GDI objects
// and windows).
struct GuiObjects {
  DWORD gdi;
  DWORD user;
  static GuiObjects Now();
  bool operator==(const GuiObjects&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const GuiObjects& objects) {
  return out << "GDI " << objects.gdi << ", USER " << objects.user;
}

// While it lives, closes every popup menu of this thread as soon as it is
// up, and records which menus opened and where.
class PopupWatcher {
 public:
  PopupWatcher();
  PopupWatcher(const PopupWatcher&) = delete;
  PopupWatcher& operator=(const PopupWatcher&) = delete;
  ~PopupWatcher();
  int Count(HMENU menu) const;
  // The screen point of the last popup's top left corner.
  POINT LastPlace() const { return lastPlace_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wp, LPARAM lp);
  win::unique_hhook hook_;
  std::vector<HMENU> opened_;
  POINT lastPlace_{};
};

}  // namespace testing_support
