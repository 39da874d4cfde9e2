#pragma once

#include <windows.h>

#include "main/win32/MenuBuilder.h"

// Runs a command of the program's main menu as choosing the item would; returns once it ran.
inline bool RunCommand(HWND window, const char* item) {
  const UINT command = CommandOf(MainMenuTable(), item);
  if (command == 0) return false;
  ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  return true;
}
