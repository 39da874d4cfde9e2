#include "platform/win32/Win32Monitors.h"

#include <windows.h>

namespace {

Rect ToTRect(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }

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

}  // namespace

bool Win32Monitors::Nearest(Point p, MonitorArea& monitor) {
  HMONITOR nearest = ::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONEAREST);
  return nearest != nullptr && BoundsOf(nearest, monitor);
}

std::vector<MonitorArea> Win32Monitors::All() {
  std::vector<MonitorArea> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

bool Win32Monitors::OnSomeMonitor(Point p) {
  return ::MonitorFromPoint(POINT{p.x, p.y}, MONITOR_DEFAULTTONULL) != nullptr;
}
