#include "remote/running_program.h"

#include <cstdio>

#include "app/window_classes.h"
#include "remote/windows.h"

namespace remote {
namespace {

namespace classes = app::window_classes;

// The splash alone stays up for a second; a cold Wine prefix is slower.
constexpr ULONGLONG kStartTimeoutMs = 30000;
constexpr ULONGLONG kExitTimeoutMs = 15000;
constexpr double kMsPerSecond = 1000;

}  // namespace

std::string Seconds(ULONGLONG ms) {
  char text[sizeof "123456789.0 s"];
  std::snprintf(text, sizeof text, "%.1f s", static_cast<double>(ms) / kMsPerSecond);
  return text;
}

RunningProgram::RunningProgram(const std::wstring& exePath) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exePath + L"\"";
  if (!::CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
    throw Failure("cannot start the program (error " + std::to_string(::GetLastError()) + ")");
  process_.reset(info.hProcess);
  ::CloseHandle(info.hThread);
  pid_ = info.dwProcessId;
  const ULONGLONG start = ::GetTickCount64();
  WaitFor(kStartTimeoutMs, [&] {
    const auto mains = TopLevelOf(pid_, classes::kForm1);
    main_ = mains.empty() ? nullptr : mains.front();
    return main_ != nullptr || !Running();
  });
  if (!main_) {
    DWORD code = 0;
    ::GetExitCodeProcess(process_.get(), &code);
    throw Failure(Running() ? "the main window did not come up within " + Seconds(kStartTimeoutMs)
                            : "the program ended at start-up with exit code " + std::to_string(code));
  }
  startMs_ = ::GetTickCount64() - start;
}

RunningProgram::~RunningProgram() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), kExitTimeoutMs);
  }
}

bool RunningProgram::Running() const { return ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

HWND RunningProgram::Window(const wchar_t* className) const {
  const auto found = TopLevelOf(pid_, className);
  return found.empty() ? nullptr : found.front();
}

void RunningProgram::Command(int id) const { ::PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void RunningProgram::Close() {
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process_.get(), kExitTimeoutMs) != WAIT_OBJECT_0)
    throw Failure("the program did not end within " + Seconds(kExitTimeoutMs) + " of closing its main window");
  DWORD code = 0;
  ::GetExitCodeProcess(process_.get(), &code);
  if (code != 0) throw Failure("the program ended with exit code " + std::to_string(code));
}

}  // namespace remote
