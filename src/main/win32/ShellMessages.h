#pragma once

#include <windows.h>

#include <optional>

#include "main/fmMagnifier.h"
#include "platform/win32/Win32Tray.h"

// What the desktop shell tells the main window: the tray icon's events, the taskbar created
// anew, the hot key, the minimise command and the end of the session.
class ShellMessages {
 public:
  // `icon`: the tray icon's own component, which its events go to; the rest goes to the form.
  ShellMessages(Tfrmmain& frm, TrayIcon& icon, Win32Tray& tray);

  // The answer when the message is one of these, else nothing.
  std::optional<LRESULT> Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnTrayEvent(HWND window, UINT event);
  void OpenMenu(HWND window);

  Tfrmmain& frm_;
  TrayIcon& icon_;
  Win32Tray& tray_;
  const UINT taskbarCreated_;
};
