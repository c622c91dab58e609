#include "support/pe_image.h"

#include <dbghelp.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "common/unique_handle.h"

namespace testing_support {
namespace {

// The file's bytes as they lie on disk; the system's image helpers find
// what an address relative to the image points at through its sections,
// for the headers of either architecture.
class FlatImage {
 public:
  explicit FlatImage(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  IMAGE_NT_HEADERS* Headers() {
    return bytes_.size() < sizeof(IMAGE_DOS_HEADER) ? nullptr : ::ImageNtHeader(bytes_.data());
  }
  template <class T>
  const T* At(DWORD rva) {
    return static_cast<const T*>(::ImageRvaToVa(Headers(), bytes_.data(), rva, nullptr));
  }
  const IMAGE_EXPORT_DIRECTORY* Exports() {
    ULONG size = 0;
    return static_cast<const IMAGE_EXPORT_DIRECTORY*>(
        ::ImageDirectoryEntryToData(bytes_.data(), FALSE, IMAGE_DIRECTORY_ENTRY_EXPORT, &size));
  }

 private:
  std::vector<char> bytes_;
};

void ReadExports(FlatImage& file, PeImage& image) {
  const auto* directory = file.Exports();
  if (!directory) return;
  image.exportTime = directory->TimeDateStamp;
  if (const auto* name = file.At<char>(directory->Name)) image.exportedModule = name;
  const auto* names = file.At<DWORD>(directory->AddressOfNames);
  const auto* ordinals = file.At<WORD>(directory->AddressOfNameOrdinals);
  for (DWORD i = 0; names && ordinals && i < directory->NumberOfNames; ++i)
    if (const auto* name = file.At<char>(names[i]))
      image.exportOrdinals[name] = static_cast<WORD>(directory->Base + ordinals[i]);
}

// The system reads resources of either architecture from a file mapped as
// data.
std::string Resource(const win::unique_hmodule& file, const wchar_t* type) {
  constexpr WORD kFirst = 1;
  HRSRC found = file ? ::FindResourceW(file.get(), MAKEINTRESOURCEW(kFirst), type) : nullptr;
  HGLOBAL loaded = found ? ::LoadResource(file.get(), found) : nullptr;
  const auto* data = loaded ? static_cast<const char*>(::LockResource(loaded)) : nullptr;
  return data ? std::string(data, ::SizeofResource(file.get(), found)) : std::string();
}

}  // namespace

std::optional<PeImage> PeImage::Read(const std::filesystem::path& file) {
  FlatImage flat(file);
  const IMAGE_NT_HEADERS* headers = flat.Headers();
  if (!headers) return std::nullopt;
  PeImage image;
  image.machine = headers->FileHeader.Machine;
  image.characteristics = headers->FileHeader.Characteristics;
  image.linkTime = headers->FileHeader.TimeDateStamp;
  image.magic = headers->OptionalHeader.Magic;
  // The subsystem lies at the same place in the 32-bit and 64-bit headers.
  image.subsystem = headers->OptionalHeader.Subsystem;
  ReadExports(flat, image);
  const win::unique_hmodule data(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  image.manifest = Resource(data, RT_MANIFEST);
  image.typeLibrary = Resource(data, L"TYPELIB");
  return image;
}

}  // namespace testing_support
