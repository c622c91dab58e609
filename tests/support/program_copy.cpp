#include "support/program_copy.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "support/store_maker.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;

// FNV-1a, 64 bits: enough to tell a changed file from its original.
constexpr std::uint64_t kFnvOffset = 0xcbf29ce484222325ULL;
constexpr std::uint64_t kFnvPrime = 0x100000001b3ULL;
constexpr size_t kChunk = 1 << 16;

std::uint64_t Checksum(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::uint64_t hash = kFnvOffset;
  std::vector<char> buffer(kChunk);
  while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0) {
    for (std::streamsize i = 0; i < in.gcount(); ++i) {
      hash ^= static_cast<unsigned char>(buffer[static_cast<size_t>(i)]);
      hash *= kFnvPrime;
    }
  }
  return hash;
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
    const auto name = fs::relative(entry.path(), dir_).wstring();
    listing[name] = entry.is_regular_file() ? Entry{entry.file_size(), Checksum(entry.path())} : Entry{0, 0};
  }
  return listing;
}

std::vector<std::wstring> ProgramCopy::Changes() const {
  const Listing now = Take();
  std::vector<std::wstring> changes;
  for (const auto& [name, entry] : recorded_) {
    const auto found = now.find(name);
    if (found == now.end())
      changes.push_back(L"removed " + name);
    else if (!(found->second == entry))
      changes.push_back(L"changed " + name);
  }
  for (const auto& [name, entry] : now)
    if (!recorded_.contains(name)) changes.push_back(L"added " + name);
  return changes;
}

}  // namespace testing_support
