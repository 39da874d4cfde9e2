#include <windows.h>

#include "platform/win32/CaretProbe.h"
#include "platform/win32/Win32Platform.h"

namespace {

TRect ToTRect(const RECT& r) { return TRect{r.left, r.top, r.right, r.bottom}; }

// The whole monitor, not its work area: task bars do not count.
bool BoundsOf(HMONITOR monitor, MonitorArea& area) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetMonitorInfoW(monitor, &info)) return false;
  area = MonitorArea{reinterpret_cast<MonitorId>(monitor), ToTRect(info.rcMonitor)};
  return true;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MonitorArea area;
  if (BoundsOf(monitor, area)) reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(area);
  return TRUE;
}

void MoveWindowCorner(HWND window, int left, int top) {
  ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void Win32Platform::SetWindowLeft(WindowId window, int left) {
  RECT r;
  if (::GetWindowRect(ToHwnd(window), &r)) MoveWindowCorner(ToHwnd(window), left, r.top);
}

void Win32Platform::SetWindowTop(WindowId window, int top) {
  RECT r;
  if (::GetWindowRect(ToHwnd(window), &r)) MoveWindowCorner(ToHwnd(window), r.left, top);
}

bool Win32Platform::MonitorNearest(TPoint p, MonitorArea& monitor) {
  HMONITOR nearest = ::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
  return nearest != nullptr && BoundsOf(nearest, monitor);
}

std::vector<MonitorArea> Win32Platform::Monitors() {
  std::vector<MonitorArea> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

bool Win32Platform::CaretFromAutomation(TPoint& caret) { return caret_probe::FromAutomation(caret); }
bool Win32Platform::CaretFromThreadInput(TPoint& caret) { return caret_probe::FromThreadInput(caret); }
ForegroundFocus Win32Platform::LookAtForegroundFocus() { return caret_probe::LookAtForegroundFocus(); }
