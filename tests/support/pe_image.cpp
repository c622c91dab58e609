#include "support/pe_image.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "common/unique_handle.h"

namespace testing_support {
namespace {

using Bytes = std::vector<char>;

template <class T>
std::optional<T> At(const Bytes& bytes, size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < sizeof(T)) return std::nullopt;
  T value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}

std::string StringAt(const Bytes& bytes, size_t offset) {
  if (offset >= bytes.size()) return {};
  const char* begin = bytes.data() + offset;
  return std::string(begin, strnlen(begin, bytes.size() - offset));
}

// Where an address relative to the image lies in the file.
class Sections {
 public:
  Sections(const Bytes& bytes, size_t table, WORD count) {
    for (WORD i = 0; i < count; ++i)
      if (auto s = At<IMAGE_SECTION_HEADER>(bytes, table + i * sizeof(IMAGE_SECTION_HEADER))) list_.push_back(*s);
  }
  std::optional<size_t> FileOffset(DWORD rva) const {
    for (const auto& s : list_)
      if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.SizeOfRawData)
        return size_t{s.PointerToRawData} + (rva - s.VirtualAddress);
    return std::nullopt;
  }

 private:
  std::vector<IMAGE_SECTION_HEADER> list_;
};

template <class OptionalHeader>
bool ReadOptional(const Bytes& bytes, size_t at, PeImage& image, IMAGE_DATA_DIRECTORY& exports) {
  const auto header = At<OptionalHeader>(bytes, at);
  if (!header) return false;
  image.subsystem = header->Subsystem;
  exports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  return true;
}

void ReadExports(const Bytes& bytes, const Sections& sections, DWORD rva, PeImage& image) {
  const auto at = sections.FileOffset(rva);
  const auto directory = at ? At<IMAGE_EXPORT_DIRECTORY>(bytes, *at) : std::nullopt;
  if (!directory) return;
  image.exportTime = directory->TimeDateStamp;
  if (const auto name = sections.FileOffset(directory->Name)) image.exportedModule = StringAt(bytes, *name);
  const auto names = sections.FileOffset(directory->AddressOfNames);
  const auto ordinals = sections.FileOffset(directory->AddressOfNameOrdinals);
  if (!names || !ordinals) return;
  for (DWORD i = 0; i < directory->NumberOfNames; ++i) {
    const auto nameRva = At<DWORD>(bytes, *names + i * sizeof(DWORD));
    const auto index = At<WORD>(bytes, *ordinals + i * sizeof(WORD));
    const auto name = nameRva ? sections.FileOffset(*nameRva) : std::nullopt;
    if (!index || !name) return;
    image.exportOrdinals[StringAt(bytes, *name)] = static_cast<WORD>(directory->Base + *index);
  }
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
  std::ifstream in(file, std::ios::binary);
  const Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto dos = At<IMAGE_DOS_HEADER>(bytes, 0);
  if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE || dos->e_lfanew < 0) return std::nullopt;
  const auto nt = static_cast<size_t>(dos->e_lfanew);
  const auto signature = At<DWORD>(bytes, nt);
  const auto header = At<IMAGE_FILE_HEADER>(bytes, nt + sizeof(DWORD));
  if (signature != IMAGE_NT_SIGNATURE || !header) return std::nullopt;

  PeImage image;
  image.machine = header->Machine;
  image.characteristics = header->Characteristics;
  image.linkTime = header->TimeDateStamp;
  const size_t optional = nt + sizeof(DWORD) + sizeof(IMAGE_FILE_HEADER);
  const auto magic = At<WORD>(bytes, optional);
  if (!magic) return std::nullopt;
  image.magic = *magic;
  IMAGE_DATA_DIRECTORY exports{};
  const bool read = image.magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC
                        ? ReadOptional<IMAGE_OPTIONAL_HEADER32>(bytes, optional, image, exports)
                        : ReadOptional<IMAGE_OPTIONAL_HEADER64>(bytes, optional, image, exports);
  if (!read) return std::nullopt;
  const Sections sections(bytes, optional + header->SizeOfOptionalHeader, header->NumberOfSections);
  if (exports.Size != 0) ReadExports(bytes, sections, exports.VirtualAddress, image);
  const win::unique_hmodule data(::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  image.manifest = Resource(data, RT_MANIFEST);
  image.typeLibrary = Resource(data, L"TYPELIB");
  return image;
}

}  // namespace testing_support
