// Run by the installer package while Glimmerlux is uninstalled (glimmerlux.wxs).
//   /run-entry "PATH"  removes the log-on entry if it starts the program at PATH
//   /settings          removes the settings key, and the maker's key once nothing else is in it
// Exit code 0 when what was asked for is gone (or was never there).
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "main/StartWithWindows.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kMakerKey[] = L"Software\\Tarnwell";
constexpr wchar_t kSettingsKey[] = L"Software\\Tarnwell\\Glimmerlux";

bool RemoveRunEntry(const std::wstring& programPath) {
  const std::wstring name = WideFromUtf8(kRunValueName);
  wchar_t command[2048] = {};
  DWORD size = sizeof(command);
  const LSTATUS read = ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, name.c_str(),
                                      RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, command, &size);
  if (read == ERROR_FILE_NOT_FOUND) return true;
  // Another copy's entry stays; one that cannot be read is not this program's to judge.
  if (read != ERROR_SUCCESS || !RunEntryStartsProgram(Utf8FromWide(command), Utf8FromWide(programPath))) return true;
  const LSTATUS removed = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, name.c_str());
  return removed == ERROR_SUCCESS || removed == ERROR_FILE_NOT_FOUND;
}

bool IsEmptyKey(HKEY parent, const wchar_t* path) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(parent, path, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
  const RegistryKey key(opened);
  DWORD subkeys = 0;
  DWORD values = 0;
  return ::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS &&
         subkeys == 0 && values == 0;
}

bool RemoveSettings() {
  const LSTATUS removed = ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND) return false;
  // The maker's key holds nothing but ours unless another of its programs lives there too.
  if (IsEmptyKey(HKEY_CURRENT_USER, kMakerKey)) ::RegDeleteKeyW(HKEY_CURRENT_USER, kMakerKey);
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (arguments == nullptr) return 2;
  bool done = true;
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = arguments[i];
    if (argument == L"/run-entry" && i + 1 < count) {
      done = RemoveRunEntry(arguments[++i]) && done;
    } else if (argument == L"/settings") {
      done = RemoveSettings() && done;
    } else {
      done = false;  // a package that passes what this does not know is a broken package
    }
  }
  ::LocalFree(arguments);
  return done ? 0 : 1;
}
