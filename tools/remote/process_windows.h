#pragma once
// Another process's windows, seen from outside: found by process and
// class, read through messages that the system carries across processes.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace remote {

// The system's classes of an open popup menu and of a dialog.
inline constexpr wchar_t kPopupMenuClass[] = L"#32768";
inline constexpr wchar_t kDialogClass[] = L"#32770";

// Polls until the condition holds; false when the time ran out first.
bool WaitFor(ULONGLONG timeoutMs, const std::function<bool()>& condition);

DWORD ProcessOf(HWND hwnd);
std::wstring ClassOf(HWND hwnd);

// The visible top-level windows of that class, of every process or of one.
std::vector<HWND> VisibleTopLevel(const wchar_t* className);
std::vector<HWND> TopLevelOf(DWORD pid, const wchar_t* className);
std::vector<HWND> ChildrenOfClass(HWND parent, const wchar_t* className);

// The window's text, or nothing when it does not answer in time.
std::wstring TextOf(HWND hwnd);

// Whether the window's thread takes a message within the time: a hung
// program does not.
bool Answers(HWND hwnd, UINT timeoutMs);

// The control with the keyboard focus in the window's thread.
HWND FocusIn(HWND hwnd);

}  // namespace remote
