#pragma once
// A module's file version, read from its own version resource.
#include <windows.h>

#include <optional>

namespace win {

struct FileVersion {
  unsigned major, minor, revision;
};

// The first three numbers of the module's FILEVERSION; nothing without one.
std::optional<FileVersion> ModuleVersion(HMODULE module);

}  // namespace win
