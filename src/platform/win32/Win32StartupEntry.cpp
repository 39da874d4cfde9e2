#include "platform/win32/Win32StartupEntry.h"

#include <windows.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

RegistryKey OpenRunKey(REGSAM access) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, access, &key) != ERROR_SUCCESS) return {};
  return RegistryKey(key);
}

}  // namespace

bool Win32StartupEntry::IsPresent(const std::string& name) {
  const RegistryKey key = OpenRunKey(KEY_QUERY_VALUE);
  return key &&
         ::RegQueryValueExW(key.Get(), WideFromUtf8(name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool Win32StartupEntry::Write(const std::string& name, const std::string& command) {
  // A fresh profile may not have the Run key yet.
  HKEY created = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &created, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const RegistryKey key(created);
  const std::wstring wide = WideFromUtf8(command);
  return ::RegSetValueExW(key.Get(), WideFromUtf8(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void Win32StartupEntry::Remove(const std::string& name) {
  const RegistryKey key = OpenRunKey(KEY_SET_VALUE);
  if (key) ::RegDeleteValueW(key.Get(), WideFromUtf8(name).c_str());
}
