#include "dicectl/registration.h"

#include <objbase.h>

#include "common/unique_handle.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_ole_object.h"
#include "dicectl/tumbix.h"

namespace dicectl {
namespace {

using win::unique_hkey;

constexpr int kGuidChars = 39;
constexpr const wchar_t* kPageName = L"DiceProperty";
constexpr const wchar_t* kThreadingModel = L"Apartment";
constexpr const wchar_t* kTypeLibVersion = L"1.0";

HRESULT FromWin32(LONG error) { return error == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(error); }

}  // namespace

std::wstring GuidText(REFGUID guid) {
  wchar_t text[kGuidChars];
  ::StringFromGUID2(guid, text, kGuidChars);
  return text;
}

std::vector<RegistryValue> ClassEntries(const std::wstring& modulePath) {
  const std::wstring dice = L"CLSID\\" + GuidText(CLSID_Dice);
  const std::wstring page = L"CLSID\\" + GuidText(CLSID_DiceProperty);
  return {
      {dice, L"", kDiceProgId},
      {dice + L"\\InprocServer32", L"", modulePath},
      {dice + L"\\InprocServer32", L"ThreadingModel", kThreadingModel},
      {dice + L"\\ProgID", L"", kDiceProgId},
      {dice + L"\\Control", L"", L""},
      {dice + L"\\ToolboxBitmap32", L"", modulePath + L", " + std::to_wstring(kToolboxBitmap)},
      {dice + L"\\TypeLib", L"", GuidText(LIBID_Tumbix)},
      {dice + L"\\Version", L"", kTypeLibVersion},
      {dice + L"\\MiscStatus", L"", L"0"},
      {dice + L"\\MiscStatus\\1", L"", std::to_wstring(kDiceMiscStatus)},
      {kDiceProgId, L"", kDiceProgId},
      {std::wstring(kDiceProgId) + L"\\CLSID", L"", GuidText(CLSID_Dice)},
      {page, L"", kPageName},
      {page + L"\\InprocServer32", L"", modulePath},
      {page + L"\\InprocServer32", L"ThreadingModel", kThreadingModel},
  };
}

std::vector<std::wstring> OwnedKeys() {
  return {L"CLSID\\" + GuidText(CLSID_Dice), L"CLSID\\" + GuidText(CLSID_DiceProperty), kDiceProgId};
}

// A user without administrator rights may open the machine's classes but
// not create keys in them.
RegistryScope Registrar::Scope() const {
  HKEY probe = nullptr;
  const LONG error =
      ::RegCreateKeyExW(machine_, L"CLSID", 0, nullptr, 0, KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &probe, nullptr);
  const unique_hkey owned(probe);
  return error == ERROR_SUCCESS ? RegistryScope::Machine : RegistryScope::User;
}

HRESULT Registrar::Register(const std::wstring& modulePath, RegistryScope scope) const {
  for (const RegistryValue& v : ClassEntries(modulePath)) {
    HKEY key = nullptr;
    LONG error = ::RegCreateKeyExW(Root(scope), v.key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    const unique_hkey owned(key);
    if (error == ERROR_SUCCESS)
      error = ::RegSetValueExW(key, v.name.empty() ? nullptr : v.name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(v.data.c_str()),
                               static_cast<DWORD>((v.data.size() + 1) * sizeof(wchar_t)));
    if (error != ERROR_SUCCESS) return FromWin32(error);
  }
  return S_OK;
}

HRESULT Registrar::Unregister(RegistryScope scope) const {
  for (const std::wstring& key : OwnedKeys()) {
    const LONG error = ::RegDeleteTreeW(Root(scope), key.c_str());
    if (error != ERROR_SUCCESS && error != ERROR_FILE_NOT_FOUND) return FromWin32(error);
  }
  return S_OK;
}

}  // namespace dicectl
