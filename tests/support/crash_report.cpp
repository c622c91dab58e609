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

struct KnownException {
  DWORD code;
  const char* name;
};
constexpr KnownException kKnownExceptions[] = {
    {EXCEPTION_ACCESS_VIOLATION, "access violation"},   {EXCEPTION_STACK_OVERFLOW, "stack overflow"},
    {EXCEPTION_ILLEGAL_INSTRUCTION, "illegal instruction"}, {EXCEPTION_INT_DIVIDE_BY_ZERO, "integer division by zero"},
    {EXCEPTION_ARRAY_BOUNDS_EXCEEDED, "array bounds exceeded"}, {EXCEPTION_PRIV_INSTRUCTION, "privileged instruction"},
    {EXCEPTION_IN_PAGE_ERROR, "in-page error"},         {STATUS_HEAP_CORRUPTION, "heap corruption"},
    {STATUS_STACK_BUFFER_OVERRUN, "stack buffer overrun"},
};

const char* Describe(DWORD code) {
  for (const auto& known : kKnownExceptions)
    if (known.code == code) return known.name;
  return "exception";
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
