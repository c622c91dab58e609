#include "message_prompt.h"

#include <string>

namespace app {

void SystemMessagePrompt::Show(HWND owner, std::wstring_view text, std::wstring_view title) {
  const std::wstring t(text);
  const std::wstring c(title);
  ::MessageBoxW(owner, t.c_str(), c.c_str(), MB_OK);
}

}  // namespace app
