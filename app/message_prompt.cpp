#include "app/message_prompt.h"

#include <string>
#include <vector>

namespace app {
namespace {

// While it lives, the program's other windows take no input, so none of
// them can close the window that is waiting for the answer.
class OtherWindowsDisabled {
 public:
  explicit OtherWindowsDisabled(HWND owner) : owner_(owner) {
    ::EnumThreadWindows(::GetCurrentThreadId(), &Disable, reinterpret_cast<LPARAM>(this));
  }
  OtherWindowsDisabled(const OtherWindowsDisabled&) = delete;
  OtherWindowsDisabled& operator=(const OtherWindowsDisabled&) = delete;
  ~OtherWindowsDisabled() {
    for (HWND h : disabled_)
      if (::IsWindow(h)) ::EnableWindow(h, TRUE);
  }

 private:
  static BOOL CALLBACK Disable(HWND h, LPARAM self) {
    auto* me = reinterpret_cast<OtherWindowsDisabled*>(self);
    if (h != me->owner_ && ::IsWindowVisible(h) && ::IsWindowEnabled(h)) {
      ::EnableWindow(h, FALSE);
      me->disabled_.push_back(h);
    }
    return TRUE;
  }

  HWND owner_;
  std::vector<HWND> disabled_;
};

}  // namespace

void SystemMessagePrompt::Show(HWND owner, std::wstring_view text, std::wstring_view title) {
  const std::wstring message(text);
  const std::wstring caption(title);
  const OtherWindowsDisabled modal(owner);
  ::MessageBoxW(owner, message.c_str(), caption.c_str(), MB_OK);
}

}  // namespace app
