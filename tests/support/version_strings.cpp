#include "support/version_strings.h"

#include <windows.h>

#include <vector>

namespace testing_support {

std::wstring VersionString(const std::filesystem::path& file, const std::wstring& name) {
  const std::wstring missing = L"<missing>";
  DWORD handle = 0;
  std::vector<unsigned char> data(::GetFileVersionInfoSizeW(file.c_str(), &handle));
  if (data.empty() || !::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(data.size()), data.data()))
    return missing;
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\080404B0\\" + name;
  if (!::VerQueryValueW(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length)) return missing;
  return std::wstring(value, length ? length - 1 : 0);
}

}  // namespace testing_support
