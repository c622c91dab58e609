// Writes what others need to know of the dice control library without
// asking it to register itself: the registry values an installer enters for
// it, and the element of an application manifest that lets a program beside
// it create its classes with no registration at all. Both come from the
// library's own table of class entries and from its type library, so they
// cannot drift from what DllRegisterServer writes.
//
//   controlreg wxi TLB OUT.wxi            registry values for the installer
//   controlreg manifest TLB FRAME OUT     FRAME with the control's classes
//
// In the installer's values the library's path is the formatted
// "[#tumbix.ocx]" and its folder "[INSTALLDIR]".
#include <windows.h>
// oleauto.h needs the types windows.h declares.
#include <oleauto.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/codepage.h"
#include "common/com_ptr.h"
#include "dicectl/registration.h"
#include "dicectl/tumbix.h"

namespace {

using win::com_ptr;

constexpr const wchar_t* kLibraryFile = L"tumbix.ocx";
constexpr const wchar_t* kInstalledLibrary = L"[#tumbix.ocx]";
constexpr const wchar_t* kInstallFolder = L"[INSTALLDIR]";
// The manifest's marker line that the control's element replaces.
constexpr const char* kManifestMarker = "<!-- the dice control's classes -->";
constexpr size_t kBracedGuidLength = 38;  // {8-4-4-4-12}
constexpr int kLcidChars = 16;
// The standard marshallers: PSOAInterface for dual and automation
// interfaces, PSDispatch for pure dispinterfaces.
constexpr const wchar_t* kAutomationProxy = L"{00020424-0000-0000-C000-000000000046}";
constexpr const wchar_t* kDispatchProxy = L"{00020420-0000-0000-C000-000000000046}";

using dicectl::GuidText;

std::wstring Escaped(const std::wstring& s) {
  std::wstring out;
  for (wchar_t c : s) {
    switch (c) {
      case L'&': out += L"&amp;"; break;
      case L'<': out += L"&lt;"; break;
      case L'>': out += L"&gt;"; break;
      case L'"': out += L"&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

struct Library {
  com_ptr<ITypeLib> lib;
  TLIBATTR attr{};
  std::wstring doc;
};

std::optional<Library> OpenLibrary(const wchar_t* path) {
  Library l;
  TLIBATTR* attr = nullptr;
  if (FAILED(::LoadTypeLibEx(path, REGKIND_NONE, l.lib.put())) || FAILED(l.lib->GetLibAttr(&attr))) return {};
  l.attr = *attr;
  l.lib->ReleaseTLibAttr(attr);
  win::unique_bstr doc;
  l.lib->GetDocumentation(-1, nullptr, doc.put(), nullptr, nullptr);
  l.doc = doc ? doc.get() : L"";
  return l;
}

std::wstring Version(const TLIBATTR& a) {
  return std::to_wstring(a.wMajorVerNum) + L"." + std::to_wstring(a.wMinorVerNum);
}

// The interfaces RegisterTypeLib enters, with the marshaller each gets.
std::map<std::wstring, std::pair<std::wstring, std::wstring>> MarshalledInterfaces(const Library& l) {
  std::map<std::wstring, std::pair<std::wstring, std::wstring>> out;
  for (UINT i = 0; i < l.lib->GetTypeInfoCount(); ++i) {
    com_ptr<ITypeInfo> info;
    TYPEATTR* ta = nullptr;
    if (FAILED(l.lib->GetTypeInfo(i, info.put())) || FAILED(info->GetTypeAttr(&ta))) continue;
    const bool automation = ta->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION);
    const wchar_t* proxy = nullptr;
    if (ta->typekind == TKIND_DISPATCH) proxy = automation ? kAutomationProxy : kDispatchProxy;
    if (ta->typekind == TKIND_INTERFACE && automation) proxy = kAutomationProxy;
    const std::wstring iid = GuidText(ta->guid);
    info->ReleaseTypeAttr(ta);
    if (!proxy) continue;
    win::unique_bstr name;
    info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
    out[iid] = {name ? name.get() : L"", proxy};
  }
  return out;
}

std::vector<dicectl::RegistryValue> TypeLibEntries(const Library& l) {
  const std::wstring lib = L"TypeLib\\" + GuidText(l.attr.guid) + L"\\" + Version(l.attr);
  wchar_t lcid[kLcidChars];
  std::swprintf(lcid, kLcidChars, L"%lx", static_cast<unsigned long>(l.attr.lcid));
  const wchar_t* platform = l.attr.syskind == SYS_WIN64 ? L"win64" : L"win32";
  std::vector<dicectl::RegistryValue> out = {
      {lib, L"", l.doc},
      {lib + L"\\" + lcid + L"\\" + platform, L"", kInstalledLibrary},
      {lib + L"\\FLAGS", L"", std::to_wstring(l.attr.wLibFlags)},
      {lib + L"\\HELPDIR", L"", kInstallFolder},
  };
  for (const auto& [iid, named] : MarshalledInterfaces(l)) {
    const std::wstring key = L"Interface\\" + iid;
    out.push_back({key, L"", named.first});
    out.push_back({key + L"\\ProxyStubClsid", L"", named.second});
    out.push_back({key + L"\\ProxyStubClsid32", L"", named.second});
    out.push_back({key + L"\\TypeLib", L"", GuidText(l.attr.guid)});
    out.push_back({key + L"\\TypeLib", L"Version", Version(l.attr)});
  }
  return out;
}

// A key whose only value is an empty default is entered as a bare key: the
// installer cannot write an empty default value, and the key is what counts.
std::wstring WixElement(const dicectl::RegistryValue& v) {
  const std::wstring key = L"Root=\"HKCR\" Key=\"" + Escaped(v.key) + L"\"";
  if (v.name.empty() && v.data.empty()) return L"<RegistryKey " + key + L"/>";
  std::wstring e = L"<RegistryValue " + key;
  if (!v.name.empty()) e += L" Name=\"" + Escaped(v.name) + L"\"";
  return e + L" Value=\"" + Escaped(v.data) + L"\" Type=\"string\"/>";
}

std::string Wxi(const Library& l) {
  std::wostringstream out;
  out << L"<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n";
  std::vector<dicectl::RegistryValue> all = dicectl::ClassEntries(kInstalledLibrary);
  const auto typelib = TypeLibEntries(l);
  all.insert(all.end(), typelib.begin(), typelib.end());
  for (const auto& v : all) out << L"  " << WixElement(v) << L"\n";
  out << L"</Include>\n";
  return win::ToUtf8(out.str());
}

// The classes, with their threading models and ProgIDs, as the library's
// own table enters them.
struct ManifestClass {
  std::wstring threading;
  std::wstring progId;
};

std::string ManifestElement(const Library& l) {
  std::map<std::wstring, ManifestClass> classes;
  const std::wstring prefix = L"CLSID\\";
  for (const auto& v : dicectl::ClassEntries(kLibraryFile)) {
    if (v.key.rfind(prefix, 0) != 0) continue;
    const std::wstring clsid = v.key.substr(prefix.size(), kBracedGuidLength);
    const std::wstring sub = v.key.substr(prefix.size() + clsid.size());
    if (sub == L"\\InprocServer32" && v.name == L"ThreadingModel") classes[clsid].threading = v.data;
    if (sub == L"\\ProgID") classes[clsid].progId = v.data;
  }
  const std::wstring tlbid = GuidText(l.attr.guid);
  std::wostringstream out;
  out << L"<file name=\"" << kLibraryFile << L"\">\n";
  for (const auto& [clsid, c] : classes) {
    out << L"    <comClass clsid=\"" << clsid << L"\" threadingModel=\"" << c.threading << L"\" tlbid=\"" << tlbid
        << L"\"";
    if (!c.progId.empty()) out << L" progid=\"" << Escaped(c.progId) << L"\"";
    out << L"/>\n";
  }
  const bool control = l.attr.wLibFlags & LIBFLAG_FCONTROL;
  out << L"    <typelib tlbid=\"" << tlbid << L"\" version=\"" << Version(l.attr) << L"\" helpdir=\"\""
      << (control ? L" flags=\"control\"" : L"") << L"/>\n  </file>";
  return win::ToUtf8(out.str());
}

std::optional<std::string> ReadFile(const wchar_t* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool WriteFile(const wchar_t* path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out.flush());
}

int Fail(const wchar_t* what, const wchar_t* path) {
  std::fwprintf(stderr, L"controlreg: %ls %ls\n", what, path);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring mode = argc > 1 ? argv[1] : L"";
  const bool wxi = mode == L"wxi" && argc == 4;
  const bool manifest = mode == L"manifest" && argc == 5;
  if (!wxi && !manifest) {
    std::fwprintf(stderr, L"usage: controlreg wxi TLB OUT.wxi | controlreg manifest TLB FRAME OUT\n");
    return 2;
  }
  const auto library = OpenLibrary(argv[2]);
  if (!library) return Fail(L"cannot read the type library", argv[2]);
  if (wxi) return WriteFile(argv[3], Wxi(*library)) ? 0 : Fail(L"cannot write", argv[3]);

  auto frame = ReadFile(argv[3]);
  if (!frame) return Fail(L"cannot read", argv[3]);
  const size_t at = frame->find(kManifestMarker);
  if (at == std::string::npos) return Fail(L"has no marker for the control's classes:", argv[3]);
  frame->replace(at, std::string(kManifestMarker).size(), ManifestElement(*library));
  return WriteFile(argv[4], *frame) ? 0 : Fail(L"cannot write", argv[4]);
}
