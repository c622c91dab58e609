// The program directories of both architectures, read as files: each holds
// a GUI program and a control library of its own architecture, the control
// exports its four entry points by ordinal and embeds a type library of
// its own platform, and the data files are the same bytes everywhere.
#include <gtest/gtest.h>
#include <ole2.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/product.h"
#include "program_dirs.h"
#include "support/pe_image.h"
#include "support/temp_dir.h"
#include "support/version_strings.h"

namespace testing_support {

// Test names and messages show the architecture.
void PrintTo(const ProgramDir& dir, std::ostream* out) { *out << std::filesystem::path(dir.arch).string(); }

}  // namespace testing_support

namespace {

using testing_support::PeImage;
namespace fs = std::filesystem;

struct Architecture {
  std::wstring name;
  WORD machine;
  WORD magic;
  SYSKIND syskind;
  std::string manifestName;
};

const Architecture kArchitectures[] = {
    {L"i686", IMAGE_FILE_MACHINE_I386, IMAGE_NT_OPTIONAL_HDR32_MAGIC, SYS_WIN32, "x86"},
    {L"x86_64", IMAGE_FILE_MACHINE_AMD64, IMAGE_NT_OPTIONAL_HDR64_MAGIC, SYS_WIN64, "amd64"},
};

const Architecture& Of(const std::wstring& name) {
  for (const auto& a : kArchitectures)
    if (a.name == name) return a;
  throw std::invalid_argument("no such architecture");
}

std::vector<char> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class ProgramFiles : public ::testing::TestWithParam<testing_support::ProgramDir> {
 protected:
  const Architecture& arch = Of(GetParam().arch);
  const fs::path dir = GetParam().dir;
};

TEST_P(ProgramFiles, TheProgramIsAGuiProgramOfItsArchitecture) {
  const auto exe = PeImage::Read(dir / L"vesha.exe");
  ASSERT_TRUE(exe);
  EXPECT_EQ(exe->machine, arch.machine);
  EXPECT_EQ(exe->magic, arch.magic);
  EXPECT_EQ(exe->subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
  EXPECT_FALSE(exe->characteristics & IMAGE_FILE_DLL);

  // Both identities in the manifest, the program's and the common controls'.
  const std::string& manifest = exe->manifest;
  const std::string processor = "processorArchitecture=\"" + arch.manifestName + "\"";
  size_t count = 0;
  for (size_t at = manifest.find(processor); at != std::string::npos; at = manifest.find(processor, at + 1)) ++count;
  EXPECT_EQ(count, 2u) << manifest;

  // Scaled by the system only where it cannot scale itself; the dice from
  // the library beside it, without registration.
  EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
            std::string::npos);
  EXPECT_NE(manifest.find("<file name=\"tumbix.ocx\">"), std::string::npos) << manifest;
  EXPECT_NE(manifest.find("progid=\"Tumbix.Dice\""), std::string::npos) << manifest;
}

// The version, name and notices come from the one place the packages take
// them from too.
TEST_P(ProgramFiles, TheProgramsVersionResourceNamesTheProduct) {
  using testing_support::VersionString;
  const fs::path exe = dir / L"vesha.exe";
  EXPECT_EQ(VersionString(exe, L"ProductName"), L"" VESHA_PRODUCT_NAME);
  EXPECT_EQ(VersionString(exe, L"FileDescription"), L"" VESHA_DESCRIPTION);
  EXPECT_EQ(VersionString(exe, L"LegalCopyright"), L"" VESHA_COPYRIGHT);
  EXPECT_EQ(VersionString(exe, L"CompanyName"), L"" VESHA_PUBLISHER);
  EXPECT_EQ(VersionString(exe, L"FileVersion"), L"" VESHA_VERSION_TEXT);
  EXPECT_EQ(VersionString(exe, L"ProductVersion"), L"" VESHA_VERSION_TEXT);
}

// One commit gives the same bytes: no time of linking in the files.
TEST_P(ProgramFiles, CarryNoLinkTime) {
  for (const wchar_t* name : {L"vesha.exe", L"tumbix.ocx"}) {
    const auto file = PeImage::Read(dir / name);
    ASSERT_TRUE(file) << fs::path(name);
    EXPECT_EQ(file->linkTime, 0u) << fs::path(name);
    EXPECT_EQ(file->exportTime, 0u) << fs::path(name);
  }
}

TEST_P(ProgramFiles, TheControlExportsItsEntryPointsByOrdinal) {
  const auto ocx = PeImage::Read(dir / L"tumbix.ocx");
  ASSERT_TRUE(ocx);
  EXPECT_EQ(ocx->machine, arch.machine);
  EXPECT_EQ(ocx->magic, arch.magic);
  EXPECT_TRUE(ocx->characteristics & IMAGE_FILE_DLL);
  EXPECT_EQ(ocx->exportedModule, "tumbix.ocx");
  const std::map<std::string, WORD> expected = {
      {"DllCanUnloadNow", 1}, {"DllGetClassObject", 2}, {"DllRegisterServer", 3}, {"DllUnregisterServer", 4}};
  EXPECT_EQ(ocx->exportOrdinals, expected);
}

// The embedded library is taken out and read by the system's own reader.
TEST_P(ProgramFiles, TheControlsTypeLibraryIsOfItsPlatform) {
  const auto ocx = PeImage::Read(dir / L"tumbix.ocx");
  ASSERT_TRUE(ocx);
  ASSERT_FALSE(ocx->typeLibrary.empty());
  const testing_support::TempDir temp;
  const fs::path file = temp.path() / L"tumbix.tlb";
  std::ofstream(file, std::ios::binary) << ocx->typeLibrary;

  const win::ole_init ole;
  win::com_ptr<ITypeLib> lib;
  ASSERT_EQ(::LoadTypeLibEx(file.c_str(), REGKIND_NONE, lib.put()), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->syskind, arch.syskind);
  lib->ReleaseTLibAttr(attr);
}

INSTANTIATE_TEST_SUITE_P(EachArchitecture, ProgramFiles, ::testing::ValuesIn(testing_support::kProgramDirs),
                         [](const auto& info) { return fs::path(info.param.arch).string(); });

TEST(ProgramData, IsTheSameBytesInEveryProgramDirectory) {
  ASSERT_EQ(std::size(testing_support::kProgramDirs), 2u) << "both architectures are built";
  const fs::path first = testing_support::kProgramDirs[0].dir;
  const fs::path second = testing_support::kProgramDirs[1].dir;
  for (const wchar_t* name :
       {L"veshalib.mdb", L"bck_001.bmp", L"m_sh.bmp", L"a_large.bmp", L"a_med.bmp", L"a_small.bmp"}) {
    const auto bytes = Bytes(first / name);
    EXPECT_FALSE(bytes.empty()) << fs::path(name);
    EXPECT_EQ(bytes, Bytes(second / name)) << fs::path(name);
  }
}

}  // namespace
