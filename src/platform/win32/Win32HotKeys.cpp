#include "platform/win32/Win32HotKeys.h"

#include <windows.h>

#include "platform/win32/Utf.h"
#include "platform/win32/WindowIds.h"

uint16_t Win32HotKeys::AddGlobalAtom(const std::string& name) { return ::GlobalAddAtomW(WideFromUtf8(name).c_str()); }

void Win32HotKeys::DeleteGlobalAtom(uint16_t atom) { ::GlobalDeleteAtom(atom); }

bool Win32HotKeys::Register(WindowId window, uint32_t id, uint32_t modifiers, uint32_t key) {
  return ::RegisterHotKey(ToHwnd(window), static_cast<int>(id), modifiers, key) != FALSE;
}

void Win32HotKeys::Unregister(WindowId window, uint32_t id) {
  ::UnregisterHotKey(ToHwnd(window), static_cast<int>(id));
}
