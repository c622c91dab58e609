// A test program that crashes under Wine ends with a bare exit code: the
// test run turns Wine's messages and its debugger off. Linked into every
// test program, this leaves one line on stderr naming the program and the
// exception before the process ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>

namespace {

const char* Describe(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
      return "access violation";
    case EXCEPTION_STACK_OVERFLOW:
      return "stack overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return "illegal instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      return "integer division by zero";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return "array bounds exceeded";
    case EXCEPTION_PRIV_INSTRUCTION:
      return "privileged instruction";
    case EXCEPTION_IN_PAGE_ERROR:
      return "in-page error";
    case STATUS_HEAP_CORRUPTION:
      return "heap corruption";
    case STATUS_STACK_BUFFER_OVERRUN:
      return "stack buffer overrun";
    default:
      return "exception";
  }
}

const wchar_t* ProgramName() {
  static wchar_t path[MAX_PATH] = L"";
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  const wchar_t* slash = std::wcsrchr(path, L'\\');
  return slash ? slash + 1 : path;
}

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
  const EXCEPTION_RECORD& record = *info->ExceptionRecord;
  std::fprintf(stderr, "%ls: unhandled exception 0x%08lX (%s) at %p", ProgramName(),
               static_cast<unsigned long>(record.ExceptionCode), Describe(record.ExceptionCode),
               record.ExceptionAddress);
  // An access violation says what was touched, and how.
  if (record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record.NumberParameters >= 2)
    std::fprintf(stderr, ", %s %p", record.ExceptionInformation[0] == 0 ? "reading" : "writing",
                 reinterpret_cast<void*>(record.ExceptionInformation[1]));
  std::fputc('\n', stderr);
  std::fflush(stderr);
  return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void ReportTermination() {
  const char* what = "no exception";
  try {
    if (const auto current = std::current_exception()) std::rethrow_exception(current);
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "an exception of unknown type";
  }
  std::fprintf(stderr, "%ls: terminated: %s\n", ProgramName(), what);
  std::fflush(stderr);
  std::abort();
}

const bool g_installed = [] {
  ::SetUnhandledExceptionFilter(&ReportCrash);
  std::set_terminate(&ReportTermination);
  return true;
}();

}  // namespace
