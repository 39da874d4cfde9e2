#pragma once

#include <cstdint>
#include <vector>

#include "base/Geometry.h"

// A monitor as the platform hands it out; `bounds` is the whole monitor, task bars included.
using MonitorId = uintptr_t;
struct MonitorArea {
  MonitorId id = 0;
  Rect bounds;
};

class Monitors {
 public:
  virtual ~Monitors() = default;

  // The monitor nearest to `p`; false when there is none.
  virtual bool Nearest(Point p, MonitorArea& monitor) = 0;
  // Every monitor, in the system's enumeration order.
  virtual std::vector<MonitorArea> All() = 0;
  // Whether some monitor shows the point.
  virtual bool OnSomeMonitor(Point p) = 0;
};
