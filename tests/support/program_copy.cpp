#include "support/program_copy.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "support/store_maker.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void MakeWritable(const fs::path& file) {
  const DWORD attributes = ::GetFileAttributesW(file.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    ::SetFileAttributesW(file.c_str(), attributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
}

}  // namespace

ProgramCopy::ProgramCopy(std::wstring_view subFolder) {
  const fs::path dir = subFolder.empty() ? temp_.path() : temp_.path() / subFolder;
  fs::create_directories(dir);
  for (const auto name : kProgramFiles)
    fs::copy_file(fs::path(VESHA_BIN_DIR) / name, dir / name);
  dir_ = dir.wstring();
  Record();
}

ProgramCopy::~ProgramCopy() {
  std::error_code ec;
  for (const auto& entry : fs::recursive_directory_iterator(temp_.path(), ec)) MakeWritable(entry.path());
}

std::wstring ProgramCopy::File(std::wstring_view name) const { return (fs::path(dir_) / name).wstring(); }

bool ProgramCopy::Replace(std::wstring_view name, std::string_view bytes) const {
  return WriteFile(File(name), std::string(bytes));
}

bool ProgramCopy::Remove(std::wstring_view name) const { return ::DeleteFileW(File(name).c_str()) != 0; }

void ProgramCopy::Record() { recorded_ = Take(); }

ProgramCopy::Listing ProgramCopy::Take() const {
  Listing listing;
  for (const auto& entry : fs::recursive_directory_iterator(dir_)) {
    // A folder's name ends in a separator, so it never equals a file.
    const auto name = fs::relative(entry.path(), dir_).wstring() + (entry.is_directory() ? L"\\" : L"");
    listing[name] = entry.is_regular_file() ? Contents(entry.path()) : std::string();
  }
  return listing;
}

std::vector<std::wstring> ProgramCopy::Changes() const {
  const Listing now = Take();
  std::vector<std::wstring> changes;
  for (const auto& [name, contents] : recorded_) {
    const auto found = now.find(name);
    if (found == now.end())
      changes.push_back(L"removed " + name);
    else if (found->second != contents)
      changes.push_back(L"changed " + name);
  }
  for (const auto& [name, contents] : now)
    if (!recorded_.contains(name)) changes.push_back(L"added " + name);
  return changes;
}

}  // namespace testing_support
