#include "remote/process_windows.h"

namespace remote {
namespace {

constexpr DWORD kPollMs = 50;
constexpr UINT kTextTimeoutMs = 5000;

struct ChildSearch {
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectChild(HWND w, LPARAM lp) {
  auto* search = reinterpret_cast<ChildSearch*>(lp);
  if (ClassOf(w) == search->className) search->found.push_back(w);
  return TRUE;
}

}  // namespace

bool WaitFor(ULONGLONG timeoutMs, const std::function<bool()>& condition) {
  const ULONGLONG start = ::GetTickCount64();
  while (!condition()) {
    if (::GetTickCount64() - start >= timeoutMs) return false;
    ::Sleep(kPollMs);
  }
  return true;
}

DWORD ProcessOf(HWND hwnd) {
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

std::wstring ClassOf(HWND hwnd) {
  constexpr int kMaxClassName = 256;
  wchar_t name[kMaxClassName + 1] = {};
  ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  return name;
}

std::vector<HWND> VisibleTopLevel(const wchar_t* className) {
  std::vector<HWND> found;
  for (HWND w = ::FindWindowExW(nullptr, nullptr, className, nullptr); w;
       w = ::FindWindowExW(nullptr, w, className, nullptr))
    if (::IsWindowVisible(w)) found.push_back(w);
  return found;
}

std::vector<HWND> TopLevelOf(DWORD pid, const wchar_t* className) {
  auto found = VisibleTopLevel(className);
  std::erase_if(found, [pid](HWND w) { return ProcessOf(w) != pid; });
  return found;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className) {
  ChildSearch search{className, {}};
  ::EnumChildWindows(parent, &CollectChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring TextOf(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length))
    return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!::SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
    return {};
  text.resize(copied);
  return text;
}

bool Answers(HWND hwnd, UINT timeoutMs) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

HWND FocusIn(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(hwnd, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

}  // namespace remote
