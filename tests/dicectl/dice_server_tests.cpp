// tumbix.ocx as a COM server: its type library as a client reads it, its
// version resource, and registering and unregistering it.
#include <gtest/gtest.h>
#include <ole2.h>
#include <olectl.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/product.h"
#include "common/unique_handle.h"
#include "dicectl/dice_ids.h"
#include "dicectl/registration.h"
#include "dicectl/tumbix.h"
#include "support/version_strings.h"

namespace {

using namespace dicectl;

const std::wstring kLibrary = std::wstring(VESHA_BIN_DIR) + L"\\tumbix.ocx";

std::wstring Name(ITypeInfo* info, MEMBERID id = MEMBERID_NIL, std::wstring* help = nullptr) {
  win::unique_bstr name, doc;
  info->GetDocumentation(id, name.put(), doc.put(), nullptr, nullptr);
  if (help) *help = doc ? doc.get() : L"";
  return name ? name.get() : L"";
}

// Type-library strings are bytes read in the ANSI code page; a client on a
// Chinese system, where that is 936, reads the help string as written.
std::wstring AsOnAChineseSystem(const std::wstring& read) {
  constexpr UINT kChineseCodePage = 936;
  if (::GetACP() == kChineseCodePage || read.empty()) return read;
  std::string bytes(read.size() * 2, '\0');
  bytes.resize(static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, read.data(), static_cast<int>(read.size()),
                                                         bytes.data(), static_cast<int>(bytes.size()), nullptr,
                                                         nullptr)));
  std::wstring text(bytes.size(), L'\0');
  text.resize(static_cast<size_t>(::MultiByteToWideChar(kChineseCodePage, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
  return text;
}

win::com_ptr<ITypeInfo> InfoAt(ITypeLib* lib, UINT index) {
  win::com_ptr<ITypeInfo> info;
  lib->GetTypeInfo(index, info.put());
  return info;
}

struct TypeAttr {
  win::com_ptr<ITypeInfo> info;
  TYPEATTR* attr = nullptr;
  explicit TypeAttr(ITypeInfo* of) : info(of) {
    if (info) info->GetTypeAttr(&attr);
  }
  TypeAttr(const TypeAttr&) = delete;
  TypeAttr& operator=(const TypeAttr&) = delete;
  ~TypeAttr() {
    if (attr) info->ReleaseTypeAttr(attr);
  }
};

class DiceTypeLibrary : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(::LoadTypeLibEx(kLibrary.c_str(), REGKIND_NONE, lib.put()), S_OK); }
  win::ole_init ole;
  win::com_ptr<ITypeLib> lib;
};

TEST_F(DiceTypeLibrary, IsTumbixOneZeroAControlLibraryInEnglishLocale) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(lib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, LIBID_Tumbix);
  EXPECT_EQ(attr->lcid, 0x0409u);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_TRUE(attr->wLibFlags & LIBFLAG_FCONTROL);
  lib->ReleaseTLibAttr(attr);
  win::unique_bstr name;
  lib->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  EXPECT_STREQ(name.get(), L"Tumbix");
}

// The dual interface's own half, whose members carry their parameters.
win::com_ptr<ITypeInfo> VtableOf(ITypeInfo* dispatch) {
  win::com_ptr<ITypeInfo> vtable;
  HREFTYPE ref = 0;
  if (dispatch && SUCCEEDED(dispatch->GetRefTypeOfImplType(-1, &ref))) dispatch->GetRefTypeInfo(ref, vtable.put());
  return vtable;
}

win::com_ptr<ITypeInfo> VtableOf(ITypeLib* lib, REFIID iid) {
  win::com_ptr<ITypeInfo> dispatch;
  lib->GetTypeInfoOfGuid(iid, dispatch.put());
  return VtableOf(dispatch.get());
}

TEST_F(DiceTypeLibrary, EntriesComeInTheirOrderWithTheirFlags) {
  struct Entry {
    const wchar_t* name;
    TYPEKIND kind;
    WORD flags;
  };
  const Entry expected[] = {
      {L"_Dice", TKIND_DISPATCH, TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION},
      {L"Dice", TKIND_COCLASS, TYPEFLAG_FCONTROL | TYPEFLAG_FCANCREATE},
      {L"_DiceProperty", TKIND_DISPATCH,
       TYPEFLAG_FHIDDEN | TYPEFLAG_FDUAL | TYPEFLAG_FNONEXTENSIBLE | TYPEFLAG_FOLEAUTOMATION},
      {L"DiceProperty", TKIND_COCLASS, TYPEFLAG_FCANCREATE},
      {L"__Dice", TKIND_DISPATCH, TYPEFLAG_FHIDDEN | TYPEFLAG_FNONEXTENSIBLE},
      {L"DiceSixNumber", TKIND_ENUM, 0},
  };
  ASSERT_EQ(lib->GetTypeInfoCount(), std::size(expected));
  for (UINT i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(expected[i].name);
    const TypeAttr t(InfoAt(lib.get(), i).get());
    ASSERT_NE(t.attr, nullptr);
    EXPECT_EQ(Name(t.info.get()), expected[i].name);
    EXPECT_EQ(t.attr->typekind, expected[i].kind);
    // A dual interface shows a client two halves; the flags are both
    // halves' together, less the dispatchable mark every dispinterface has.
    WORD flags = t.attr->wTypeFlags;
    if (flags & TYPEFLAG_FDUAL) {
      const TypeAttr half(VtableOf(t.info.get()).get());
      ASSERT_NE(half.attr, nullptr);
      flags |= half.attr->wTypeFlags;
    }
    EXPECT_EQ(flags & ~TYPEFLAG_FDISPATCHABLE, expected[i].flags);
  }
}

// A parameter's type as a VARIANT carries it: an enumeration is a VT_I4.
VARTYPE VariantTypeOf(ITypeInfo* info, const TYPEDESC& type) {
  if (type.vt != VT_USERDEFINED) return type.vt;
  win::com_ptr<ITypeInfo> named;
  info->GetRefTypeInfo(type.hreftype, named.put());
  const TypeAttr attr(named.get());
  return attr.attr && attr.attr->typekind == TKIND_ENUM ? VT_I4 : VT_EMPTY;
}

// The control's table of properties, which automation, its page and its
// saved state read, says what the published type library says: every
// property of _Dice with its name, dispatch number and type, and no other.
TEST_F(DiceTypeLibrary, ThePropertyTableIsTheTypeLibrarys) {
  const auto vtable = VtableOf(lib.get(), IID__Dice);
  ASSERT_TRUE(vtable);
  std::map<std::wstring, std::pair<MEMBERID, VARTYPE>> published;
  for (UINT i = 0;; ++i) {
    FUNCDESC* f = nullptr;
    if (FAILED(vtable->GetFuncDesc(i, &f))) break;
    if (f->invkind == INVOKE_FUNC) {
      EXPECT_EQ(Name(vtable.get(), f->memid), L"Run");
      EXPECT_EQ(f->memid, kDispidRun);
    }
    if (f->invkind == INVOKE_PROPERTYPUT && f->cParams == 1)
      published[Name(vtable.get(), f->memid)] = {f->memid, VariantTypeOf(vtable.get(), f->lprgelemdescParam[0].tdesc)};
    vtable->ReleaseFuncDesc(f);
  }
  std::map<std::wstring, std::pair<MEMBERID, VARTYPE>> table;
  for (const ControlProperty& p : kDiceProperties) table[p.name] = {p.dispid, p.type};
  EXPECT_EQ(table, published);
  std::wstring help;
  Name(vtable.get(), kResizeable.dispid, &help);
  EXPECT_EQ(AsOnAChineseSystem(help), L"返回/设置控件尺寸是否可变");
}

TEST_F(DiceTypeLibrary, EventsFaceNumbersAndTheDefaultsOfTheClass) {
  win::com_ptr<ITypeInfo> events;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(DIID___Dice, events.put()), S_OK);
  const struct {
    MEMBERID id;
    std::vector<std::wstring> names;  // the event's, then its parameters'
    std::vector<VARTYPE> types;
  } expected[] = {{kDispidStartDice, {L"StartDice"}, {}}, {kDispidEndDice, {L"EndDice", L"DiceNum"}, {VT_I2}}};
  for (UINT i = 0; i < std::size(expected); ++i) {
    FUNCDESC* f = nullptr;
    ASSERT_EQ(events->GetFuncDesc(i, &f), S_OK);
    EXPECT_EQ(f->memid, expected[i].id);
    std::vector<VARTYPE> types;
    for (SHORT n = 0; n < f->cParams; ++n) types.push_back(f->lprgelemdescParam[n].tdesc.vt);
    EXPECT_EQ(types, expected[i].types);
    BSTR names[2] = {};
    UINT count = 0;
    events->GetNames(f->memid, names, 2, &count);
    EXPECT_EQ(std::vector<std::wstring>(names, names + count), expected[i].names);
    for (BSTR n : names) ::SysFreeString(n);
    events->ReleaseFuncDesc(f);
  }

  const TypeAttr numbers(InfoAt(lib.get(), 5).get());
  ASSERT_EQ(numbers.attr->cVars, 7);
  for (UINT i = 0; i < 7; ++i) {
    VARDESC* v = nullptr;
    ASSERT_EQ(numbers.info->GetVarDesc(i, &v), S_OK);
    EXPECT_EQ(Name(numbers.info.get(), v->memid),
              i == 0 ? std::wstring(L"NoHalfChance") : L"Dice" + std::to_wstring(i));
    win::unique_variant value;
    ::VariantChangeType(value.get(), v->lpvarValue, 0, VT_I4);
    EXPECT_EQ(V_I4(value.get()), static_cast<LONG>(i));
    numbers.info->ReleaseVarDesc(v);
  }

  // The class names its default interface and its default event source.
  win::com_ptr<ITypeInfo> coclass;
  ASSERT_EQ(lib->GetTypeInfoOfGuid(CLSID_Dice, coclass.put()), S_OK);
  for (UINT i = 0; i < 2; ++i) {
    INT flags = 0;
    HREFTYPE ref = 0;
    coclass->GetImplTypeFlags(i, &flags);
    coclass->GetRefTypeOfImplType(i, &ref);
    win::com_ptr<ITypeInfo> impl;
    coclass->GetRefTypeInfo(ref, impl.put());
    EXPECT_EQ(flags & (IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE),
              i == 0 ? IMPLTYPEFLAG_FDEFAULT : IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE);
    EXPECT_EQ(Name(impl.get()), i == 0 ? L"_Dice" : L"__Dice");
  }
  // The dual interface derives from IDispatch of stdole2.
  const auto vtable = VtableOf(lib.get(), IID__Dice);
  HREFTYPE ref = 0;
  win::com_ptr<ITypeInfo> base;
  vtable->GetRefTypeOfImplType(0, &ref);
  vtable->GetRefTypeInfo(ref, base.put());
  EXPECT_EQ(Name(base.get()), L"IDispatch");
}

TEST(DiceLibrary, VersionResourceNamesTheLibrary) {
  const std::pair<const wchar_t*, std::wstring> strings[] = {
      {L"FileVersion", L"1.00"},         {L"ProductVersion", L"1.00"},
      {L"ProductName", L"tumbix"},       {L"InternalName", L"tumbix"},
      {L"OriginalFilename", L"tumbix.ocx"}, {L"FileDescription", L"" VESHA_CONTROL_DESCRIPTION},
      {L"LegalCopyright", L"" VESHA_COPYRIGHT}};
  for (const auto& [name, value] : strings) EXPECT_EQ(testing_support::VersionString(kLibrary, name), value) << name;
  EXPECT_NE(testing_support::VersionString(kLibrary, L"OLESelfRegister"), L"<missing>");
  DWORD handle = 0;
  std::vector<unsigned char> data(::GetFileVersionInfoSizeW(kLibrary.c_str(), &handle));
  ASSERT_TRUE(::GetFileVersionInfoW(kLibrary.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  UINT length = 0;
  ASSERT_TRUE(::VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
  EXPECT_EQ(translation->language, 0x0804);
  EXPECT_EQ(translation->codePage, 1200);
}

constexpr COLORREF kRed = RGB(255, 0, 0);

// Red areas of a picture, counted as 4-connected regions.
int RedRegions(std::vector<COLORREF> pixels, size_t width) {
  int regions = 0;
  for (size_t start = 0; start < pixels.size(); ++start) {
    if (pixels[start] != kRed) continue;
    ++regions;
    for (std::vector<size_t> todo{start}; !todo.empty();) {
      const size_t at = todo.back();
      todo.pop_back();
      if (pixels[at] != kRed) continue;
      pixels[at] = 0;  // counted
      if (at % width > 0) todo.push_back(at - 1);
      if (at % width + 1 < width) todo.push_back(at + 1);
      if (at >= width) todo.push_back(at - width);
      if (at + width < pixels.size()) todo.push_back(at + width);
    }
  }
  return regions;
}

// The face pictures: 24-bit, red on white only, a border and n pips.
TEST(DiceLibrary, FacePicturesAreRedPipsOnWhite) {
  const win::unique_hmodule library(::LoadLibraryExW(kLibrary.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_TRUE(library);
  auto picture = [&](int id, int width, int height) {
    std::vector<COLORREF> pixels;
    const win::unique_hbitmap bitmap(static_cast<HBITMAP>(
        ::LoadImageW(library.get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    DIBSECTION dib{};
    if (!bitmap || ::GetObjectW(bitmap.get(), sizeof dib, &dib) != sizeof dib) return pixels;
    EXPECT_EQ(dib.dsBm.bmWidth, width) << id;
    EXPECT_EQ(dib.dsBm.bmHeight, height) << id;
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24) << id;
    const auto* bits = static_cast<const unsigned char*>(dib.dsBm.bmBits);
    for (int y = height - 1; y >= 0; --y) {  // bottom-up rows
      const unsigned char* row = bits + static_cast<size_t>(y) * dib.dsBm.bmWidthBytes;
      for (int x = 0; x < width; ++x) pixels.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return pixels;
  };
  for (int face = 1; face <= 6; ++face) {
    const auto pixels = picture(face, 40, 40);
    ASSERT_EQ(pixels.size(), 1600u) << "face " << face;
    for (COLORREF c : pixels) ASSERT_TRUE(c == RGB(255, 255, 255) || c == kRed) << "face " << face;
    EXPECT_EQ(RedRegions(pixels, 40), face + 1) << "the border and " << face << " pips";
  }
  const auto toolbox = picture(kToolboxBitmap, 16, 15);
  ASSERT_EQ(toolbox.size(), 240u);
  for (COLORREF c : toolbox) ASSERT_TRUE(c == RGB(255, 255, 255) || c == kRed);
}

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view = 0) {
  HKEY key = nullptr;
  const LSTATUS opened = ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key);
  const win::unique_hkey owned(key);
  return opened == ERROR_SUCCESS;
}

using dicectl::GuidText;

std::wstring Value(const std::wstring& key, const wchar_t* name = nullptr) {
  wchar_t value[MAX_PATH] = L"";
  DWORD size = sizeof value;
  ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size);
  return value;
}

std::vector<std::wstring> EveryKeyWritten() {
  return {L"CLSID\\" + GuidText(CLSID_Dice), L"CLSID\\" + GuidText(CLSID_DiceProperty), L"Tumbix.Dice",
          L"TypeLib\\" + GuidText(LIBID_Tumbix), L"Interface\\" + GuidText(IID__Dice), L"Interface\\" + GuidText(DIID___Dice)};
}

using ServerCall = HRESULT(STDAPICALLTYPE*)();

// The library stays registered for the other tests whatever happens here.
class DiceRegistration : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(library);
    registerServer = Entry("DllRegisterServer");
    unregisterServer = Entry("DllUnregisterServer");
    ASSERT_TRUE(registerServer && unregisterServer);
  }
  void TearDown() override {
    if (registerServer) registerServer();
  }
  ServerCall Entry(const char* name) const {
    return reinterpret_cast<ServerCall>(reinterpret_cast<void*>(::GetProcAddress(library.get(), name)));
  }
  static bool Creatable() {
    CLSID clsid;
    if (FAILED(::CLSIDFromProgID(L"Tumbix.Dice", &clsid))) return false;
    win::com_ptr<IUnknown> dice;
    return SUCCEEDED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, dice.put_void()));
  }

  win::ole_init ole;
  win::unique_hmodule library{::LoadLibraryW(kLibrary.c_str())};
  ServerCall registerServer = nullptr;
  ServerCall unregisterServer = nullptr;
};

TEST_F(DiceRegistration, RoundTripLeavesNoKeyBehind) {
  ASSERT_EQ(registerServer(), S_OK);
  EXPECT_TRUE(Creatable());
  for (const auto& key : EveryKeyWritten()) EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_Dice);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, clsid + L"\\Control"));
  EXPECT_EQ(Value(clsid + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
  EXPECT_TRUE(Value(clsid + L"\\ToolboxBitmap32").ends_with(L", " + std::to_wstring(kToolboxBitmap)));

  ASSERT_EQ(unregisterServer(), S_OK);
  EXPECT_FALSE(Creatable());
  for (const auto& key : EveryKeyWritten()) EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  EXPECT_EQ(unregisterServer(), S_OK) << "unregistering twice is no failure";

  ASSERT_EQ(registerServer(), S_OK);
  EXPECT_TRUE(Creatable());
}

// The registry view of the other architecture, where this process has one:
// on 64-bit Windows a 32-bit library registers in the 32-bit view and a
// 64-bit one in the 64-bit view.
std::optional<REGSAM> OtherView() {
  if constexpr (sizeof(void*) == 8) return KEY_WOW64_32KEY;
  BOOL wow64 = FALSE;
  ::IsWow64Process(::GetCurrentProcess(), &wow64);
  return wow64 ? std::optional<REGSAM>(KEY_WOW64_64KEY) : std::nullopt;
}

TEST_F(DiceRegistration, EntriesGoToTheViewAndPlatformOfItsArchitecture) {
  ASSERT_EQ(registerServer(), S_OK);
  constexpr bool k64 = sizeof(void*) == 8;
  const std::wstring typeLib = L"TypeLib\\" + GuidText(LIBID_Tumbix) + L"\\1.0\\409\\";
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, typeLib + (k64 ? L"win64" : L"win32")));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, typeLib + (k64 ? L"win32" : L"win64")));
  const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_Dice);
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, clsid));
  if (const auto other = OtherView()) {
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, clsid, *other));
  }
}

// Without the right to write the machine's classes, the user's are used.
TEST(DiceRegistrar, FallsBackToTheUsersClasses) {
  const std::wstring base = L"Software\\vesha-tests\\registrar";
  ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
  HKEY created = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\machine").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &created, nullptr),
            ERROR_SUCCESS);
  const win::unique_hkey writable(created);
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, (base + L"\\user").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
            ERROR_SUCCESS);
  const win::unique_hkey user(created);

  // Without administrator rights the machine's classes do not even open for writing.
  const Registrar noMachine(nullptr, user.get());
  EXPECT_EQ(noMachine.Scope(), RegistryScope::User);
  const Registrar writableMachine(writable.get(), user.get());
  EXPECT_EQ(writableMachine.Scope(), RegistryScope::Machine);

  ASSERT_EQ(noMachine.Register(L"C:\\x\\tumbix.ocx", RegistryScope::User), S_OK);
  const std::wstring clsid = L"CLSID\\" + GuidText(CLSID_Dice);
  EXPECT_TRUE(KeyExists(user.get(), clsid + L"\\InprocServer32"));
  EXPECT_TRUE(KeyExists(user.get(), L"Tumbix.Dice\\CLSID"));
  ASSERT_EQ(noMachine.Unregister(RegistryScope::User), S_OK);
  for (const auto& key : OwnedKeys()) EXPECT_FALSE(KeyExists(user.get(), key)) << key;
  ::RegDeleteTreeW(HKEY_CURRENT_USER, base.c_str());
}

}  // namespace
