#include "platform/win32/Win32ShellOpen.h"

#include <windows.h>

#include <shellapi.h>

#include "platform/win32/Utf.h"

int32_t Win32ShellOpen::Open(const std::string& target) {
  const std::wstring wide = WideFromUtf8(target);
  const HINSTANCE result = ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // The result is a number dressed as a handle; it fits 32 bits.
  return static_cast<int32_t>(reinterpret_cast<intptr_t>(result));
}
