#pragma once

#include <windows.h>

inline constexpr UINT kDesignDpi = 96;

// The per-monitor DPI functions, looked up at run time so the program still starts on
// systems older than Windows 10 1607 where user32 lacks them; each falls back to the
// system-DPI call.
namespace dpi {

// 0 when the window's DPI cannot be asked.
UINT ForWindow(HWND window);
// The effective DPI of a monitor, else the system DPI.
UINT ForMonitor(HMONITOR monitor);
int SystemMetric(int index, UINT dpi);
// Outer rectangle for the client rectangle `rect` at `dpi`.
bool AdjustWindowRect(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// For a manifest that was not applied; the manifest is the real declaration.
void EnsurePerMonitorAwareness();

inline int Scale(int designPixels, UINT dpi) {
  return MulDiv(designPixels, static_cast<int>(dpi), static_cast<int>(kDesignDpi));
}

}  // namespace dpi
