// Finishes a type library written by widl, which can do neither of two
// things a control library needs: it places a type that an interface uses
// before the interface (whatever the IDL's order), and it refuses
// [nonextensible] on a dispinterface. This program puts the entries in the
// order given and sets that flag on the dispinterfaces named. It also takes
// out the time widl ran, which widl writes into the library's custom data,
// so that one commit gives the same library, as the linker's time stamp is
// left out of the program files.
//
//   typelib_finish in.tlb out.tlb --order A B C ... [--nonextensible D ...]
//
// Moving an entry changes its offset in the type-info table, so every
// in-library reference to a type info is rewritten: the offset table, each
// entry's own index, inheritance, the reference table, type descriptions,
// and the GUID and name entries that point back at their type info.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::uint32_t kMagic = 0x5446534d;  // "MSFT"
constexpr size_t kHeaderSize = 0x54;
constexpr size_t kHeaderTypeInfoCount = 0x20;
constexpr size_t kHeaderVarFlags = 0x14;
constexpr std::uint32_t kHelpStringDllFlag = 0x100;
constexpr size_t kSegmentCount = 15;
constexpr size_t kSegmentEntrySize = 16;
constexpr size_t kTypeInfoSize = 0x64;

// Segment directory slots.
constexpr size_t kSegTypeInfo = 0;
constexpr size_t kSegReferences = 3;
constexpr size_t kSegGuid = 5;
constexpr size_t kSegName = 7;
constexpr size_t kSegTypeDesc = 9;
constexpr size_t kSegCustomData = 11;
constexpr size_t kSegCustomGuids = 12;

// The library's custom data: a list of (GUID, value) entries.
constexpr size_t kHeaderCustomData = 0x40;
constexpr size_t kCustomGuidNext = 8;
constexpr size_t kCustomGuidData = 4;
constexpr size_t kVariantValue = 2;  // after the VARTYPE
constexpr size_t kStringChars = 4;   // after a string's length
constexpr std::uint32_t kNoEntry = 0xffffffff;
// The creation time (a time_t) and the text "Created by ... at <date>\n",
// as MIDL names them; the date in the form of ctime().
constexpr unsigned char kCreationTimeGuid[16] = {0x63, 0xba, 0x77, 0xde, 0x7c, 0x51, 0xd1, 0x11,
                                                 0xa2, 0xda, 0x00, 0x00, 0xf8, 0x77, 0x3c, 0xe9};
constexpr unsigned char kCreatedByGuid[16] = {0x65, 0xba, 0x77, 0xde, 0x7c, 0x51, 0xd1, 0x11,
                                              0xa2, 0xda, 0x00, 0x00, 0xf8, 0x77, 0x3c, 0xe9};
constexpr std::string_view kNoDate = "Thu Jan  1 00:00:00 1970\n";

// Fields of one type-info record.
constexpr size_t kTiTypeKind = 0x00;
constexpr size_t kTiPosGuid = 0x2c;
constexpr size_t kTiFlags = 0x30;
constexpr size_t kTiNameOffset = 0x34;
constexpr size_t kTiDataType1 = 0x54;

constexpr std::uint32_t kKindMask = 0x0f;
constexpr std::uint32_t kKindInterface = 3;
constexpr std::uint32_t kKindDispatch = 4;
constexpr std::uint32_t kKindAlias = 6;
constexpr int kIndexShift = 16;
constexpr std::uint32_t kNonExtensible = 0x80;

constexpr size_t kReferenceSize = 16;
constexpr size_t kGuidEntrySize = 24;
constexpr size_t kGuidHrefType = 16;
constexpr size_t kNameHeaderSize = 12;
constexpr std::uint32_t kNameLengthMask = 0xff;
constexpr size_t kTypeDescSize = 8;
constexpr std::uint32_t kVtUserDefined = 29;
constexpr std::uint32_t kVtMask = 0xffff;
constexpr std::uint32_t kImportedBits = 3;

using Bytes = std::vector<unsigned char>;

std::uint32_t Get(const Bytes& b, size_t at) {
  std::uint32_t v;
  std::memcpy(&v, &b.at(at + 3) - 3, sizeof v);
  return v;
}

void Put(Bytes& b, size_t at, std::uint32_t v) { std::memcpy(&b.at(at + 3) - 3, &v, sizeof v); }

struct Segment {
  size_t offset;
  size_t length;
};

class TypeLib {
 public:
  explicit TypeLib(Bytes bytes) : b_(std::move(bytes)) {}

  bool Parse() {
    if (b_.size() < kHeaderSize || Get(b_, 0) != kMagic) return false;
    count_ = Get(b_, kHeaderTypeInfoCount);
    offsetsAt_ = kHeaderSize + ((Get(b_, kHeaderVarFlags) & kHelpStringDllFlag) ? 4 : 0);
    const size_t dirAt = offsetsAt_ + count_ * 4;
    for (size_t i = 0; i < kSegmentCount; ++i) {
      const std::uint32_t offset = Get(b_, dirAt + i * kSegmentEntrySize);
      const std::uint32_t length = Get(b_, dirAt + i * kSegmentEntrySize + 4);
      seg_[i] = {offset == 0xffffffff ? 0 : offset, offset == 0xffffffff ? 0 : length};
    }
    for (std::uint32_t i = 0; i < count_; ++i)
      if (Get(b_, offsetsAt_ + i * 4) != i * kTypeInfoSize) return false;
    return seg_[kSegTypeInfo].length == count_ * kTypeInfoSize;
  }

  std::uint32_t count() const { return count_; }

  std::string Name(std::uint32_t index) const {
    const size_t at = seg_[kSegName].offset + Get(b_, Record(index) + kTiNameOffset);
    const size_t length = Get(b_, at + 8) & kNameLengthMask;
    return std::string(reinterpret_cast<const char*>(&b_.at(at + kNameHeaderSize)), length);
  }

  std::optional<std::uint32_t> Find(const std::string& name) const {
    for (std::uint32_t i = 0; i < count_; ++i)
      if (Name(i) == name) return i;
    return std::nullopt;
  }

  void SetFlag(std::uint32_t index, std::uint32_t flag) {
    const size_t at = Record(index) + kTiFlags;
    Put(b_, at, Get(b_, at) | flag);
  }

  // Sets the creation time to 0 in both its forms.
  void ClearCreationTime() {
    for (std::uint32_t entry = Get(b_, kHeaderCustomData); entry != kNoEntry;) {
      const size_t at = seg_[kSegCustomGuids].offset + entry;
      const unsigned char* guid = &b_.at(seg_[kSegGuid].offset + Get(b_, at));
      const size_t value = seg_[kSegCustomData].offset + Get(b_, at + kCustomGuidData) + kVariantValue;
      if (std::memcmp(guid, kCreationTimeGuid, sizeof kCreationTimeGuid) == 0) Put(b_, value, 0);
      if (std::memcmp(guid, kCreatedByGuid, sizeof kCreatedByGuid) == 0) {
        const size_t end = value + kStringChars + Get(b_, value);
        if (end <= b_.size() && Get(b_, value) >= kNoDate.size())
          std::copy(kNoDate.begin(), kNoDate.end(), b_.begin() + static_cast<std::ptrdiff_t>(end - kNoDate.size()));
      }
      entry = Get(b_, at + kCustomGuidNext);
    }
  }

  std::uint32_t Kind(std::uint32_t index) const { return Get(b_, Record(index) + kTiTypeKind) & kKindMask; }

  // newIndexOf[old] = new position of the entry.
  void Reorder(const std::vector<std::uint32_t>& newIndexOf) {
    auto remap = [&](std::uint32_t href) {
      if (href == 0xffffffff || (href & kImportedBits) != 0) return href;
      return newIndexOf.at(href / kTypeInfoSize) * static_cast<std::uint32_t>(kTypeInfoSize);
    };
    for (std::uint32_t i = 0; i < count_; ++i) {
      const size_t r = Record(i);
      const std::uint32_t kind = Kind(i);
      if (kind == kKindInterface || kind == kKindDispatch || kind == kKindAlias)
        Put(b_, r + kTiDataType1, remap(Get(b_, r + kTiDataType1)));
      // The GUID entry of a type info names it by offset.
      const std::uint32_t guid = Get(b_, r + kTiPosGuid);
      if (guid != 0xffffffff)
        Put(b_, seg_[kSegGuid].offset + guid + kGuidHrefType, newIndexOf[i] * static_cast<std::uint32_t>(kTypeInfoSize));
      const std::uint32_t kindField = Get(b_, r + kTiTypeKind);
      Put(b_, r + kTiTypeKind, (kindField & ((1u << kIndexShift) - 1)) | (newIndexOf[i] << kIndexShift));
    }
    for (size_t at = 0; at + kReferenceSize <= seg_[kSegReferences].length; at += kReferenceSize) {
      const size_t p = seg_[kSegReferences].offset + at;
      Put(b_, p, remap(Get(b_, p)));
    }
    for (size_t at = 0; at + kTypeDescSize <= seg_[kSegTypeDesc].length; at += kTypeDescSize) {
      const size_t p = seg_[kSegTypeDesc].offset + at;
      if ((Get(b_, p) & kVtMask) == kVtUserDefined) Put(b_, p + 4, remap(Get(b_, p + 4)));
    }
    for (size_t at = 0; at + kNameHeaderSize <= seg_[kSegName].length;) {
      const size_t p = seg_[kSegName].offset + at;
      Put(b_, p, remap(Get(b_, p)));
      const size_t length = Get(b_, p + 8) & kNameLengthMask;
      at += kNameHeaderSize + ((length + 3) & ~size_t{3});
    }
    Bytes moved(count_ * kTypeInfoSize);
    for (std::uint32_t i = 0; i < count_; ++i)
      std::memcpy(&moved[newIndexOf[i] * kTypeInfoSize], &b_[Record(i)], kTypeInfoSize);
    std::memcpy(&b_[seg_[kSegTypeInfo].offset], moved.data(), moved.size());
  }

  const Bytes& bytes() const { return b_; }

 private:
  size_t Record(std::uint32_t index) const { return seg_[kSegTypeInfo].offset + index * kTypeInfoSize; }

  Bytes b_;
  std::uint32_t count_ = 0;
  size_t offsetsAt_ = 0;
  Segment seg_[kSegmentCount]{};
};

int Fail(const std::string& what) {
  std::fprintf(stderr, "typelib_finish: %s\n", what.c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Fail("usage: in.tlb out.tlb --order NAME... [--nonextensible NAME...]");
  std::ifstream in(argv[1], std::ios::binary);
  TypeLib lib(Bytes(std::istreambuf_iterator<char>(in), {}));
  if (!lib.Parse()) return Fail(std::string("not a type library widl writes: ") + argv[1]);

  std::vector<std::string> order;
  std::vector<std::string> nonExtensible;
  std::vector<std::string>* list = nullptr;
  for (int i = 3; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--order") list = &order;
    else if (arg == "--nonextensible") list = &nonExtensible;
    else if (list) list->push_back(arg);
    else return Fail("unexpected argument " + arg);
  }
  if (order.size() != lib.count()) return Fail("--order must name every entry exactly once");

  std::vector<std::uint32_t> newIndexOf(lib.count(), lib.count());
  for (std::uint32_t pos = 0; pos < order.size(); ++pos) {
    const auto index = lib.Find(order[pos]);
    if (!index || newIndexOf[*index] != lib.count()) return Fail("no single entry " + order[pos]);
    newIndexOf[*index] = pos;
  }
  for (const std::string& name : nonExtensible) {
    const auto index = lib.Find(name);
    if (!index || lib.Kind(*index) != kKindDispatch) return Fail("no dispinterface " + name);
    lib.SetFlag(*index, kNonExtensible);
  }
  lib.Reorder(newIndexOf);
  lib.ClearCreationTime();

  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(lib.bytes().data()), static_cast<std::streamsize>(lib.bytes().size()));
  return out ? 0 : Fail(std::string("cannot write ") + argv[2]);
}
