#include "Desk.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "Desktop.h"

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool SameBounds(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

std::vector<DeskMonitor> IntendedMonitors() {
  // As X places them: "1280x1024+0+0 1600x1200+1280+0*"; Windows moves the primary to (0, 0).
  std::vector<DeskMonitor> monitors;
  std::istringstream layout(Environment("WINE_MONITORS"));
  std::string item;
  while (layout >> item) {
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    if (std::sscanf(item.c_str(), "%dx%d+%d+%d", &width, &height, &x, &y) != 4) return {};
    monitors.push_back({{x, y, x + width, y + height}, item.back() == '*'});
  }
  const DeskMonitor* primary = PrimaryOf(monitors);
  if (primary == nullptr) return {};
  const POINT origin{primary->bounds.left, primary->bounds.top};
  for (DeskMonitor& monitor : monitors) OffsetRect(&monitor.bounds, -origin.x, -origin.y);
  return monitors;
}

std::vector<DeskMonitor> ReportedMonitors() {
  std::vector<DeskMonitor> monitors;
  EnumDisplayMonitors(
      nullptr, nullptr,
      [](HMONITOR monitor, HDC, RECT*, LPARAM list) -> BOOL {
        MONITORINFO info{};
        info.cbSize = sizeof(info);
        if (GetMonitorInfoW(monitor, &info)) {
          reinterpret_cast<std::vector<DeskMonitor>*>(list)->push_back(
              {info.rcMonitor, (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

UINT IntendedDpi() {
  const int dpi = std::atoi(Environment("WINE_DPI").c_str());
  return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

::testing::AssertionResult ReportsMonitors(const std::vector<DeskMonitor>& wanted) {
  const std::vector<DeskMonitor> reported = ReportedMonitors();
  const bool same =
      reported.size() == wanted.size() && std::all_of(wanted.begin(), wanted.end(), [&](const DeskMonitor& w) {
        return std::any_of(reported.begin(), reported.end(), [&](const DeskMonitor& r) {
          return SameBounds(r.bounds, w.bounds) && r.primary == w.primary;
        });
      });
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the harness built the wrong desk: Windows reports " << Describe(reported)
                                       << ", want " << Describe(wanted);
}

::testing::AssertionResult IsTheIntendedDesk() {
  const std::vector<DeskMonitor> intended = IntendedMonitors();
  if (!intended.empty()) {
    const auto monitors = ReportsMonitors(intended);
    if (!monitors) return monitors;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  if (static_cast<UINT>(dpi) != IntendedDpi()) {
    return ::testing::AssertionFailure() << "the harness set the wrong DPI: Windows reports " << dpi << ", want "
                                         << IntendedDpi();
  }
  return ::testing::AssertionSuccess();
}

bool OnSomeMonitor(const std::vector<DeskMonitor>& monitors, POINT p) {
  return std::any_of(monitors.begin(), monitors.end(), [&](const DeskMonitor& m) { return PtInRect(&m.bounds, p); });
}

const DeskMonitor* PrimaryOf(const std::vector<DeskMonitor>& monitors) {
  const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const DeskMonitor& m) { return m.primary; });
  return primary != monitors.end() ? &*primary : nullptr;
}

const DeskMonitor* MonitorHolding(const std::vector<DeskMonitor>& monitors, const RECT& r) {
  for (const DeskMonitor& m : monitors) {
    if (r.left >= m.bounds.left && r.top >= m.bounds.top && r.right <= m.bounds.right && r.bottom <= m.bounds.bottom) {
      return &m;
    }
  }
  return nullptr;
}

std::string Describe(const std::vector<DeskMonitor>& monitors) {
  std::string text;
  for (const DeskMonitor& m : monitors) {
    if (!text.empty()) text += ' ';
    text += Describe(m.bounds);
    if (m.primary) text += '*';
  }
  return text.empty() ? "no monitors" : text;
}

::testing::AssertionResult DetachMonitor(const RECT& bounds, const std::vector<DeskMonitor>& wanted) {
  DISPLAY_DEVICEW device{};
  device.cb = sizeof(device);
  for (DWORD i = 0; EnumDisplayDevicesW(nullptr, i, &device, 0); ++i) {
    DEVMODEW mode{};
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsExW(device.DeviceName, ENUM_CURRENT_SETTINGS, &mode, 0) ||
        mode.dmPosition.x != bounds.left || mode.dmPosition.y != bounds.top) {
      continue;
    }
    // A position with no size detaches the display; the second call applies what was stored.
    DEVMODEW detached{};
    detached.dmSize = sizeof(detached);
    detached.dmFields = DM_POSITION | DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG stored =
        ChangeDisplaySettingsExW(device.DeviceName, &detached, nullptr, CDS_UPDATEREGISTRY | CDS_NORESET, nullptr);
    const LONG applied = ChangeDisplaySettingsExW(nullptr, nullptr, nullptr, 0, nullptr);
    if (stored != DISP_CHANGE_SUCCESSFUL || applied != DISP_CHANGE_SUCCESSFUL) {
      return ::testing::AssertionFailure()
             << "detaching " << Describe(bounds) << " failed: " << stored << ", " << applied;
    }
    if (WaitUntil(std::chrono::seconds(10), [&] { return static_cast<bool>(ReportsMonitors(wanted)); })) {
      return ::testing::AssertionSuccess();
    }
    return ReportsMonitors(wanted);
  }
  return ::testing::AssertionFailure() << "no display device at " << Describe(bounds);
}
