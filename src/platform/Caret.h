#pragma once

#include <cstdint>

#include "base/Geometry.h"

// What the foreground thread's keyboard focus showed during one short look at it.
enum class FocusLook : uint8_t {
  NoForeground,   // no foreground window at all
  OwnThread,      // the foreground window is one of this program's thread
  NotAttached,    // another thread whose input could not be shared (or that has stopped responding)
  NoFocusWindow,  // attached, but that thread has no focus window
  FocusWindow,    // attached, and `caret` holds its caret (see `caretRead`)
};
struct ForegroundFocus {
  FocusLook look = FocusLook::NoForeground;
  // FocusWindow only: whether the caret could be read, and where it is on the desktop.
  bool caretRead = false;
  Point caret;
};

// The text caret of the focused application; none of these ever waits on that application.
class CaretSource {
 public:
  virtual ~CaretSource() = default;

  // The top-left corner of the focused element's first selection rectangle, through UI Automation.
  virtual bool CaretFromAutomation(Point& caret) = 0;
  // The classic caret of the foreground thread's focus window, in desktop coordinates.
  virtual bool CaretFromThreadInput(Point& caret) = 0;
  // The same look at the foreground thread, telling apart the ways it can come up empty.
  virtual ForegroundFocus LookAtForegroundFocus() = 0;
};
