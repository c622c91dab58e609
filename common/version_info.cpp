#include "common/version_info.h"

#include <string>
#include <vector>

namespace win {
namespace {
constexpr unsigned kWordBits = 16;
constexpr unsigned kWordMask = 0xFFFF;
}  // namespace

std::optional<FileVersion> ModuleVersion(HMODULE module) {
  std::wstring path(MAX_PATH, L'\0');
  const DWORD n = ::GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return std::nullopt;
  path.resize(n);
  DWORD handle = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> data(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info)
    return std::nullopt;
  return FileVersion{info->dwFileVersionMS >> kWordBits, info->dwFileVersionMS & kWordMask,
                     info->dwFileVersionLS >> kWordBits};
}

}  // namespace win
