#pragma once
// Message boxes with an OK button, as a seam: tests read what would be said.
#include <windows.h>

#include <string_view>

namespace app {

inline constexpr std::wstring_view kAppTitle = L"vesha";

class MessagePrompt {
 public:
  virtual ~MessagePrompt() = default;
  virtual void Show(HWND owner, std::wstring_view text, std::wstring_view title) = 0;
  void Show(HWND owner, std::wstring_view text) { Show(owner, text, kAppTitle); }
};

class SystemMessagePrompt final : public MessagePrompt {
 public:
  using MessagePrompt::Show;
  void Show(HWND owner, std::wstring_view text, std::wstring_view title) override;
};

}  // namespace app
