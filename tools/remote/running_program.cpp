#include "remote/running_program.h"

#include <cstdio>
#include <vector>

#include "app/window_classes.h"
#include "remote/process_windows.h"

namespace remote {
namespace {

namespace classes = app::window_classes;

// The splash alone stays up for a second; a cold Wine prefix is slower.
constexpr ULONGLONG kStartTimeoutMs = 30000;
constexpr ULONGLONG kExitTimeoutMs = 15000;
constexpr double kMsPerSecond = 1000;
constexpr wchar_t kImageName[] = L"vesha.exe";

std::wstring ImagePath(DWORD pid) {
  const win::unique_handle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  wchar_t path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  if (!process || !::QueryFullProcessImageNameW(process.get(), 0, path, &size)) return {};
  return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The named image, or with no name any whose file is vesha.exe.
bool IsProgram(DWORD pid, const std::wstring& imagePath) {
  const std::wstring image = ImagePath(pid);
  if (!imagePath.empty()) return SamePath(image, imagePath);
  const size_t slash = image.find_last_of(L"\\/");
  return SamePath(slash == std::wstring::npos ? image : image.substr(slash + 1), kImageName);
}

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

RunningProgram::RunningProgram(AlreadyRunning, const std::wstring& imagePath) {
  const ULONGLONG start = ::GetTickCount64();
  std::vector<HWND> mains;
  WaitFor(kStartTimeoutMs, [&] {
    mains = VisibleTopLevel(classes::kForm1);
    std::erase_if(mains, [&](HWND w) { return !IsProgram(ProcessOf(w), imagePath); });
    return !mains.empty();
  });
  if (mains.empty())
    throw Failure(std::string(imagePath.empty() ? "no vesha" : "no named program's") + " main window came up within " +
                  Seconds(kStartTimeoutMs));
  if (mains.size() > 1) throw Failure(std::to_string(mains.size()) + " vesha programs run; name the one meant");
  main_ = mains.front();
  pid_ = ProcessOf(main_);
  process_.reset(::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid_));
  if (!process_) throw Failure("cannot open the program's process " + std::to_string(pid_));
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
