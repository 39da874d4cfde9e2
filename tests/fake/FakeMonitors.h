#pragma once

#include "platform/Monitors.h"

class FakeMonitors : public Monitors {
 public:
  // In enumeration order; the nearest to a point is the one holding it, else the closest.
  std::vector<MonitorArea> list{{1, {0, 0, 1920, 1080}}};

  bool Nearest(Point p, MonitorArea& monitor) override;
  std::vector<MonitorArea> All() override { return list; }
  bool OnSomeMonitor(Point p) override {
    for (const MonitorArea& m : list) {
      if (m.bounds.Contains(p)) return true;
    }
    return false;
  }
};
