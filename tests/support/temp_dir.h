#pragma once
// A fresh folder under the system's temporary folder, removed with its
// contents at the end of the test.
#include <filesystem>
#include <string>

namespace testing_support {

class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& path() const { return path_; }
  // The folder as the program names directories: no trailing backslash.
  std::wstring AppPath() const { return path_.wstring(); }
  std::wstring File(const std::wstring& name) const { return (path_ / name).wstring(); }

 private:
  std::filesystem::path path_;
};

}  // namespace testing_support
