#pragma once

#include <string>

#include "platform/Windowing.h"

// The program's icon in the notification area; its clicks arrive as messages to `window`.
class Tray {
 public:
  virtual ~Tray() = default;

  // False when the shell did not take the icon (not running yet, or too busy to answer).
  virtual bool AddIcon(WindowId window, const std::string& tip) = 0;
  virtual void RemoveIcon(WindowId window) = 0;
};
