#include "support/temp_dir.h"

#include <windows.h>

#include <atomic>
#include <string>

namespace testing_support {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto base = std::filesystem::temp_directory_path();
  for (;;) {
    path_ = base / (L"vesha-test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                    std::to_wstring(counter++));
    if (std::filesystem::create_directory(path_)) break;
  }
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace testing_support
