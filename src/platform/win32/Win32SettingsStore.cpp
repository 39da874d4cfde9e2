#include "platform/win32/Win32SettingsStore.h"

#include <windows.h>

#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

constexpr wchar_t kKeyPath[] = L"Software\\Tarnwell\\Glimmerlux";
// Every value the program writes is a number or a short text; a larger one was put there by
// something else and is not read into memory at all.
constexpr DWORD kLargestValueBytes = 64 * 1024;

RegistryKey CreateKey() {
  HKEY key = nullptr;
  if (::RegCreateKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
    return {};
  }
  return RegistryKey(key);
}

}  // namespace

StoredValue Win32SettingsStore::Read(const std::string& name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, kKeyPath, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return {};
  const RegistryKey key(opened);
  const std::wstring wideName = WideFromUtf8(name);
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (size > kLargestValueBytes) return StoredValue{StoredValue::Kind::Other, 0, {}};
  std::vector<BYTE> data(size + sizeof(wchar_t));  // room for a terminator the value may lack
  if (::RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS) return {};
  StoredValue value;
  if (type == REG_DWORD && size == 4) {
    value.kind = StoredValue::Kind::Dword;
    value.number = *reinterpret_cast<const uint32_t*>(data.data());
  } else if (type == REG_QWORD && size == 8) {
    value.kind = StoredValue::Kind::Qword;
    value.number = *reinterpret_cast<const uint64_t*>(data.data());
  } else if (type == REG_SZ || type == REG_EXPAND_SZ) {
    value.kind = StoredValue::Kind::Text;
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    value.text = Utf8FromWide(text);
  } else {
    value.kind = StoredValue::Kind::Other;
  }
  return value;
}

bool Win32SettingsStore::WriteInteger(const std::string& name, int32_t value) {
  const RegistryKey key = CreateKey();
  if (!key) return false;
  const auto data = static_cast<DWORD>(value);
  return ::RegSetValueExW(key.Get(), WideFromUtf8(name).c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                          sizeof(data)) == ERROR_SUCCESS;
}

bool Win32SettingsStore::WriteText(const std::string& name, const std::string& text) {
  const RegistryKey key = CreateKey();
  if (!key) return false;
  const std::wstring wide = WideFromUtf8(text);
  return ::RegSetValueExW(key.Get(), WideFromUtf8(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wide.c_str()),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::string Win32SettingsStore::KeyPath() const { return Utf8FromWide(kKeyPath); }
