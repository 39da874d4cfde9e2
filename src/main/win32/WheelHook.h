#pragma once

#include <windows.h>

#include "main/fmMagnifier.h"
#include "platform/win32/Handles.h"

// The form sees the wheel of every window of the program first, whichever message loop takes
// the message from the queue: the program's own, a modal dialog's, a message box's or a menu's.
// One per thread, for the life of the form.
class WheelHook {
 public:
  explicit WheelHook(Tfrmmain& frm);
  ~WheelHook();
  WheelHook(const WheelHook&) = delete;
  WheelHook& operator=(const WheelHook&) = delete;

  explicit operator bool() const { return static_cast<bool>(hook_); }

 private:
  static LRESULT CALLBACK GetMessageProc(int code, WPARAM removal, LPARAM message) noexcept;

  WindowsHook hook_;
};
