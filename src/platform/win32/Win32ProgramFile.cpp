#include "platform/win32/Win32ProgramFile.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Utf.h"

namespace {

// The path, or an empty text when the buffer would have cut it short.
std::wstring ModulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 6; ++attempt) {
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A full buffer means the path may be longer than what was copied.
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
  return {};
}

}  // namespace

std::optional<std::string> Win32ProgramFile::Path() {
  const std::wstring path = ModulePath();
  if (path.empty()) return std::nullopt;
  return Utf8FromWide(path);
}

std::optional<std::array<uint16_t, 4>> Win32ProgramFile::VersionNumbers() {
  const std::wstring path = ModulePath();
  if (path.empty()) return std::nullopt;
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<BYTE> block(size);
  if (!::GetFileVersionInfoW(path.c_str(), 0, size, block.data())) return std::nullopt;
  VS_FIXEDFILEINFO* info = nullptr;
  UINT infoSize = 0;
  if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &infoSize) || info == nullptr ||
      infoSize < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  return std::array<uint16_t, 4>{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                 HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
}
