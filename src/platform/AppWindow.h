#pragma once

#include "platform/Windowing.h"

// The program's window as the desktop presents it: minimised away or back, with or without
// its taskbar button, and its end.
class AppWindow {
 public:
  virtual ~AppWindow() = default;

  virtual bool IsMinimized(WindowId window) = 0;
  // With the platform's animation; the window keeps its place and size for the restore.
  virtual void Minimize(WindowId window) = 0;
  // Back where it was, in front, with the keyboard focus where it was before.
  virtual void Restore(WindowId window) = 0;
  virtual void ShowTaskbarButton(WindowId window, bool shown) = 0;
  // The window and its children go once the message at hand has been handled (a button may
  // be closing its own window); the message loop ends with them.
  virtual void Destroy(WindowId window) = 0;
};
