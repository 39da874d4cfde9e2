#include "platform/win32/Win32AppWindow.h"

#include "platform/win32/WindowIds.h"

bool Win32AppWindow::IsMinimized(WindowId window) { return ::IsIconic(ToHwnd(window)) != FALSE; }

void Win32AppWindow::Minimize(WindowId window) {
  const HWND hwnd = ToHwnd(window);
  const HWND focus = ::GetFocus();
  focus_ = focus != nullptr && ::IsChild(hwnd, focus) ? focus : nullptr;
  ::ShowWindow(hwnd, SW_MINIMIZE);
}

void Win32AppWindow::Restore(WindowId window) {
  const HWND hwnd = ToHwnd(window);
  ::ShowWindow(hwnd, SW_RESTORE);
  ::SetForegroundWindow(hwnd);
  if (focus_ != nullptr && ::IsChild(hwnd, focus_)) ::SetFocus(focus_);
  focus_ = nullptr;
}

void Win32AppWindow::ShowTaskbarButton(WindowId window, bool shown) {
  // SetWindowPos rather than ShowWindow: it sends no WM_SHOWWINDOW, so the window's own show
  // and hide handlers, which apply and write the settings, do not run for the tray.
  ::SetWindowPos(ToHwnd(window), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void Win32AppWindow::Destroy(WindowId window) { ::PostMessageW(ToHwnd(window), kDestroyWindowMessage, 0, 0); }
