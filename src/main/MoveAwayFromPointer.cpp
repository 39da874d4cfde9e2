#include "main/MoveAwayFromPointer.h"

#include <vector>

namespace {

// How far the window keeps from the pointer on every side.
constexpr int kKeepOut = 150;

// Which monitor edges a candidate is checked against; the side facing the pointer never is.
struct BoundsTests {
  bool left, top, right, bottom;
};

bool Fits(const Rect& candidate, const Rect& monitor, BoundsTests tests) {
  return (!tests.left || candidate.left >= monitor.left) && (!tests.top || candidate.top >= monitor.top) &&
         (!tests.right || candidate.right <= monitor.right) && (!tests.bottom || candidate.bottom <= monitor.bottom);
}

void MoveTo(Windowing& platform, WindowId window, int left, int top) {
  platform.SetWindowLeft(window, left);
  platform.SetWindowTop(window, top);
}

void CentreOn(Windowing& platform, WindowId window, const Rect& monitor, int width, int height) {
  MoveTo(platform, window, monitor.left + (monitor.Width() - width) / 2, monitor.top + (monitor.Height() - height) / 2);
}

}  // namespace

bool RectsOverlap(const Rect& a, const Rect& b) {
  return a.right > b.left && a.left < b.right && a.bottom > b.top && a.top < b.bottom;
}

void MoveAwayFromPointer(Screen& screen, Monitors& monitors, Windowing& windows, WindowId window) {
  Point p;
  if (!screen.CursorPos(p)) return;
  MonitorArea nearest;
  if (!monitors.Nearest(p, nearest)) return;
  const Rect& bounds = nearest.bounds;

  const Rect outer = windows.WindowRect(window);
  const int width = outer.Width();
  const int height = outer.Height();
  const int hw = width / 2;
  const int hh = height / 2;
  const Rect keepOut{p.x - kKeepOut, p.y - kKeepOut, p.x + kKeepOut, p.y + kKeepOut};

  // Each candidate is the window's whole rectangle: an odd size tested as twice its half would
  // let the window reach a pixel past the monitor, into a part of the desktop no monitor shows.
  const struct {
    Rect place;
    BoundsTests tests;
  } candidates[] = {
      {{p.x + kKeepOut, p.y - hh, p.x + kKeepOut + width, p.y - hh + height}, {false, true, true, true}},
      {{p.x - kKeepOut - width, p.y - hh, p.x - kKeepOut, p.y - hh + height}, {true, true, false, true}},
      {{p.x - hw, p.y - kKeepOut - height, p.x - hw + width, p.y - kKeepOut}, {true, true, true, false}},
      {{p.x - hw, p.y + kKeepOut, p.x - hw + width, p.y + kKeepOut + height}, {true, false, true, true}},
  };
  for (const auto& c : candidates) {
    if (Fits(c.place, bounds, c.tests) && !RectsOverlap(c.place, keepOut)) {
      MoveTo(windows, window, c.place.left, c.place.top);
      return;
    }
  }

  for (const MonitorArea& other : monitors.All()) {
    if (other.id != nearest.id) {
      CentreOn(windows, window, other.bounds, width, height);
      return;
    }
  }
  CentreOn(windows, window, bounds, width, height);
}
