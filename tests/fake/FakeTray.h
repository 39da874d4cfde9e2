#pragma once

#include <map>
#include <string>

#include "platform/Tray.h"

// A notification area that takes icons while `accepts`, one per window.
class FakeTray : public Tray {
 public:
  bool accepts = true;
  std::map<WindowId, std::string> icons;  // window -> tooltip
  int addAttempts = 0;

  bool AddIcon(WindowId window, const std::string& tip) override {
    ++addAttempts;
    if (!accepts) return false;
    icons[window] = tip;
    return true;
  }
  void RemoveIcon(WindowId window) override { icons.erase(window); }
  bool Shows(WindowId window) const { return icons.count(window) != 0; }
};
