#pragma once
// The headers, export table and two resources of a Windows program or
// library file, read as data, never run, so a program of one architecture
// can check the files of the other.
#include <windows.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace testing_support {

struct PeImage {
  WORD machine = 0;          // IMAGE_FILE_MACHINE_*
  WORD characteristics = 0;  // IMAGE_FILE_*
  WORD magic = 0;            // PE32 or PE32+ optional header
  WORD subsystem = 0;        // IMAGE_SUBSYSTEM_*
  DWORD linkTime = 0;        // the file header's time stamp
  DWORD exportTime = 0;      // the export directory's
  std::string exportedModule;
  std::map<std::string, WORD> exportOrdinals;  // by exported name
  std::string manifest;                        // RT_MANIFEST 1
  std::string typeLibrary;                     // TYPELIB 1

  // Nothing when the file cannot be read or is no well-formed PE file.
  static std::optional<PeImage> Read(const std::filesystem::path& file);
};

}  // namespace testing_support
