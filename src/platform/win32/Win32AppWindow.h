#pragma once

#include <windows.h>

#include "platform/AppWindow.h"

// The window asks to be destroyed with this message, which its host answers with DestroyWindow.
inline constexpr UINT kDestroyWindowMessage = WM_APP + 2;

// The main window carries the program's taskbar button itself, so the button goes and comes
// with the window's visibility.
class Win32AppWindow final : public AppWindow {
 public:
  bool IsMinimized(WindowId window) override;
  void Minimize(WindowId window) override;
  void Restore(WindowId window) override;
  void ShowTaskbarButton(WindowId window, bool shown) override;
  void Destroy(WindowId window) override;

 private:
  HWND focus_ = nullptr;
};
