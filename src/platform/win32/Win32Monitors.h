#pragma once

#include "platform/Monitors.h"

class Win32Monitors final : public Monitors {
 public:
  bool Nearest(TPoint p, MonitorArea& monitor) override;
  std::vector<MonitorArea> All() override;
  bool OnSomeMonitor(TPoint p) override;
};
