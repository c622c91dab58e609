#include "support/pe_image.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <variant>
#include <vector>

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
bool ReadOptional(const Bytes& bytes, size_t at, PeImage& image, IMAGE_DATA_DIRECTORY& exports,
                  IMAGE_DATA_DIRECTORY& resources) {
  const auto header = At<OptionalHeader>(bytes, at);
  if (!header) return false;
  image.subsystem = header->Subsystem;
  exports = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  resources = header->DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
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

// Resources form a tree three levels deep (type, name, language), each
// entry named by a number or by a string in the resource section.
class Resources {
 public:
  Resources(const Bytes& bytes, const Sections& sections, DWORD rva) : bytes_(bytes), sections_(sections) {
    if (const auto at = sections.FileOffset(rva)) root_ = *at;
  }

  std::string Find(const std::variant<WORD, std::wstring>& type, WORD name) const {
    if (!root_) return {};
    auto names = Child(*root_, type);
    auto languages = names ? Child(*names, name) : std::nullopt;
    auto leaf = languages ? FirstChild(*languages) : std::nullopt;
    const auto data = leaf ? At<IMAGE_RESOURCE_DATA_ENTRY>(bytes_, *leaf) : std::nullopt;
    const auto at = data ? sections_.FileOffset(data->OffsetToData) : std::nullopt;
    if (!at || *at + data->Size > bytes_.size()) return {};
    return std::string(bytes_.data() + *at, data->Size);
  }

 private:
  using Entry = IMAGE_RESOURCE_DIRECTORY_ENTRY;

  template <class Match>
  std::optional<size_t> Search(size_t directory, Match match) const {
    const auto dir = At<IMAGE_RESOURCE_DIRECTORY>(bytes_, directory);
    if (!dir) return std::nullopt;
    const size_t first = directory + sizeof(IMAGE_RESOURCE_DIRECTORY);
    for (size_t i = 0; i < size_t{dir->NumberOfNamedEntries} + dir->NumberOfIdEntries; ++i) {
      const auto entry = At<Entry>(bytes_, first + i * sizeof(Entry));
      if (entry && match(*entry)) return *root_ + (entry->OffsetToData & ~IMAGE_RESOURCE_DATA_IS_DIRECTORY);
    }
    return std::nullopt;
  }

  std::optional<size_t> Child(size_t directory, const std::variant<WORD, std::wstring>& key) const {
    return Search(directory, [&](const Entry& e) {
      if (const WORD* id = std::get_if<WORD>(&key)) return !(e.Name & IMAGE_RESOURCE_NAME_IS_STRING) && e.Name == *id;
      return (e.Name & IMAGE_RESOURCE_NAME_IS_STRING) && NameAt(*root_ + (e.Name & ~IMAGE_RESOURCE_NAME_IS_STRING)) ==
                                                            std::get<std::wstring>(key);
    });
  }

  std::optional<size_t> FirstChild(size_t directory) const {
    return Search(directory, [](const Entry&) { return true; });
  }

  std::wstring NameAt(size_t at) const {
    const auto length = At<WORD>(bytes_, at);
    if (!length || at + sizeof(WORD) + *length * sizeof(wchar_t) > bytes_.size()) return {};
    std::wstring name(*length, L'\0');
    std::memcpy(name.data(), bytes_.data() + at + sizeof(WORD), *length * sizeof(wchar_t));
    return name;
  }

  const Bytes& bytes_;
  const Sections& sections_;
  std::optional<size_t> root_;
};

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
  IMAGE_DATA_DIRECTORY exports{}, resources{};
  const bool read = image.magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC
                        ? ReadOptional<IMAGE_OPTIONAL_HEADER32>(bytes, optional, image, exports, resources)
                        : ReadOptional<IMAGE_OPTIONAL_HEADER64>(bytes, optional, image, exports, resources);
  if (!read) return std::nullopt;
  const Sections sections(bytes, optional + header->SizeOfOptionalHeader, header->NumberOfSections);
  if (exports.Size != 0) ReadExports(bytes, sections, exports.VirtualAddress, image);
  if (resources.Size != 0) {
    const Resources tree(bytes, sections, resources.VirtualAddress);
    constexpr WORD kFirst = 1;
    image.manifest = tree.Find(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(RT_MANIFEST)), kFirst);
    image.typeLibrary = tree.Find(std::wstring(L"TYPELIB"), kFirst);
  }
  return image;
}

}  // namespace testing_support
