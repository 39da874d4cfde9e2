#include "fake/FakeMonitors.h"

#include <algorithm>
#include <cstdint>

bool FakeMonitors::Nearest(Point p, MonitorArea& monitor) {
  if (list.empty()) return false;
  const auto distance = [p](const Rect& r) {
    const int64_t dx = p.x < r.left ? int64_t{r.left} - p.x : p.x >= r.right ? int64_t{p.x} - r.right + 1 : 0;
    const int64_t dy = p.y < r.top ? int64_t{r.top} - p.y : p.y >= r.bottom ? int64_t{p.y} - r.bottom + 1 : 0;
    return dx * dx + dy * dy;
  };
  monitor = *std::min_element(list.begin(), list.end(), [&](const MonitorArea& a, const MonitorArea& b) {
    return distance(a.bounds) < distance(b.bounds);
  });
  return true;
}
