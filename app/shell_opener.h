#pragma once
// Handing a link to the system shell, as a seam: tests say what the shell
// answers.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace app {

struct ShellAnswer {
  INT_PTR result;  // above 32 on success, 0 when out of memory or resources
  DWORD lastError;
};

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // The verb "open" on the link, with no owner, parameters or folder.
  virtual ShellAnswer Open(const std::wstring& link) = 0;
};

class SystemShellOpener final : public ShellOpener {
 public:
  ShellAnswer Open(const std::wstring& link) override {
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", link.c_str(), L"", nullptr, SW_SHOWNORMAL));
    return {result, ::GetLastError()};
  }
};

}  // namespace app
