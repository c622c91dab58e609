// The installer enters the dice control in the registry with entries of its
// own instead of letting the library register itself: they must be exactly
// what the library's DllRegisterServer writes, no more and no less.
#include <gtest/gtest.h>
#include <ole2.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>

#include "common/codepage.h"
#include "common/com_ptr.h"
#include "common/unique_handle.h"
#include "dicectl/registration.h"
#include "dicectl/tumbix.h"

namespace {

const std::wstring kLibrary = std::wstring(VESHA_BIN_DIR) + L"\\tumbix.ocx";

// Key, then value name (empty for the default), to data. A key entered
// without a value stands as its empty default value: the installer cannot
// write an empty default, and the key is what counts.
using Entries = std::map<std::pair<std::wstring, std::wstring>, std::wstring>;

using dicectl::GuidText;

// The installer's folder reference ends with a backslash, which
// RegisterTypeLib leaves off; both name the same folder.
std::wstring WithoutTrailingBackslash(std::wstring s) {
  if (s.ends_with(L'\\')) s.pop_back();
  return s;
}

// The installer's entries, with its file and folder references resolved to
// where the library lies here, as the loader names it.
Entries InstallerEntries(HMODULE library) {
  wchar_t path[MAX_PATH];
  const std::wstring file(path, ::GetModuleFileNameW(library, path, MAX_PATH));
  const std::wstring folder = file.substr(0, file.rfind(L'\\') + 1);
  std::ifstream in(std::filesystem::path(VESHA_CONTROL_WXI), std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  const std::wstring wide = win::FromUtf8(text).value_or(L"");
  const std::wregex element(LR"re(<Registry(Value|Key) Root="HKCR" Key="([^"]*)"(?: Name="([^"]*)")?(?: Value="([^"]*)")?)re");
  Entries out;
  for (std::wsregex_iterator it(wide.begin(), wide.end(), element), end; it != end; ++it) {
    std::wstring data = (*it)[4];
    data = std::regex_replace(data, std::wregex(LR"(\[#tumbix\.ocx\])"), file);
    data = std::regex_replace(data, std::wregex(LR"(\[INSTALLDIR\])"), folder);
    out[{(*it)[2], (*it)[3]}] = WithoutTrailingBackslash(data);
  }
  return out;
}

void Collect(HKEY root, const std::wstring& path, Entries& out) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return;
  const win::unique_hkey key(opened);
  DWORD values = 0, subkeys = 0;
  ::RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
  if (values == 0 && subkeys == 0) out[{path, L""}] = L"";
  for (DWORD i = 0; i < values; ++i) {
    wchar_t name[MAX_PATH];
    DWORD nameLength = MAX_PATH;
    wchar_t data[MAX_PATH] = L"";
    DWORD size = sizeof data - sizeof(wchar_t);
    ::RegEnumValueW(key.get(), i, name, &nameLength, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    out[{path, name}] = WithoutTrailingBackslash(data);
  }
  for (DWORD i = 0; i < subkeys; ++i) {
    wchar_t name[MAX_PATH];
    DWORD length = MAX_PATH;
    if (::RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      Collect(root, path + L"\\" + name, out);
  }
}

using ServerCall = HRESULT(STDAPICALLTYPE*)();

TEST(InstallerRegistry, IsWhatTheControlRegistersItself) {
  const win::ole_init ole;
  const win::unique_hmodule library(::LoadLibraryW(kLibrary.c_str()));
  ASSERT_TRUE(library);
  const auto registerServer =
      reinterpret_cast<ServerCall>(reinterpret_cast<void*>(::GetProcAddress(library.get(), "DllRegisterServer")));
  ASSERT_TRUE(registerServer);
  ASSERT_EQ(registerServer(), S_OK);

  Entries registered;
  for (const auto& key : {L"CLSID\\" + GuidText(CLSID_Dice), L"CLSID\\" + GuidText(CLSID_DiceProperty),
                          std::wstring(L"Tumbix.Dice"), L"TypeLib\\" + GuidText(LIBID_Tumbix),
                          L"Interface\\" + GuidText(IID__Dice), L"Interface\\" + GuidText(DIID___Dice),
                          L"Interface\\" + GuidText(IID__DiceProperty)})
    Collect(HKEY_CLASSES_ROOT, key, registered);
  const Entries installer = InstallerEntries(library.get());
  ASSERT_FALSE(installer.empty()) << "no entries read from " << VESHA_CONTROL_WXI;

  for (const auto& [where, data] : registered) {
    const auto found = installer.find(where);
    if (found == installer.end()) {
      ADD_FAILURE() << "the installer does not enter " << where.first << " [" << where.second << "]";
    } else {
      EXPECT_EQ(found->second, data) << where.first << " [" << where.second << "]";
    }
  }
  for (const auto& [where, data] : installer)
    EXPECT_TRUE(registered.contains(where)) << "self-registration does not write " << where.first << " ["
                                            << where.second << "]";
}

}  // namespace
