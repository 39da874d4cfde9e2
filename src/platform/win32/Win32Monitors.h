#pragma once

#include "platform/Monitors.h"

class Win32Monitors final : public Monitors {
 public:
  bool Nearest(Point p, MonitorArea& monitor) override;
  std::vector<MonitorArea> All() override;
  bool OnSomeMonitor(Point p) override;
};
