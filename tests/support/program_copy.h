#pragma once
// A copy of the finished program directory in a fresh temporary folder,
// for tests that spoil one of its files and run the program from there.
// It keeps every file's contents, so a test can tell whether the program
// changed, added or removed anything.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_dir.h"

namespace testing_support {

// The files of a program directory, as the build leaves them.
inline constexpr std::wstring_view kProgramFiles[] = {
    L"vesha.exe",   L"tumbix.ocx", L"veshalib.mdb", L"bck_001.bmp",
    L"m_sh.bmp",    L"a_large.bmp", L"a_med.bmp",  L"a_small.bmp",
};

class ProgramCopy {
 public:
  // The copy goes into the sub-folder named, or the temporary folder itself.
  explicit ProgramCopy(std::wstring_view subFolder = {});
  ProgramCopy(const ProgramCopy&) = delete;
  ProgramCopy& operator=(const ProgramCopy&) = delete;
  // Read-only files are made writable, so the folder can go.
  ~ProgramCopy();

  const std::wstring& Dir() const { return dir_; }
  std::wstring File(std::wstring_view name) const;
  std::wstring Exe() const { return File(L"vesha.exe"); }

  // Puts other bytes in place of a file, or takes it away; true if done.
  bool Replace(std::wstring_view name, std::string_view bytes) const;
  bool Remove(std::wstring_view name) const;

  // Takes the listing that Changes compares with.
  void Record();
  // What differs from the recorded listing, one line per file ("changed
  // veshalib.mdb", "added veshalib.mdb-journal"); empty when nothing.
  std::vector<std::wstring> Changes() const;

 private:
  // Each file's contents by name: the program's files are small.
  using Listing = std::map<std::wstring, std::string>;
  Listing Take() const;

  TempDir temp_;
  std::wstring dir_;
  Listing recorded_;
};

}  // namespace testing_support
