#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"

// An opaque window handle as the platform hands it out; 0 is "no window".
using WindowId = uintptr_t;

// The cursor image shown at the moment, as far as the overlay needs it.
struct CursorImage {
  uintptr_t handle = 0;
  TPoint hotSpot;
};

// A monitor as the platform hands it out; `bounds` is the whole monitor, task bars included.
using MonitorId = uintptr_t;
struct MonitorArea {
  MonitorId id = 0;
  TRect bounds;
};

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
  TPoint caret;
};

// Everything the core needs from Windows, in small purpose-named operations.
// The Win32 implementation lives in win32/; tests use a fake.
class Platform {
 public:
  virtual ~Platform() = default;

  // Screen and drawing.
  // The bounding box of all monitors, in the DPI context of `window` (0: the process's).
  virtual TRect VirtualScreen(WindowId window) = 0;
  // Copies the desktop rectangle `source` into `target` with its top-left pixel at `at`;
  // parts outside `target` are clipped. False when the desktop cannot be read at all.
  virtual bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) = 0;
  virtual bool CurrentCursor(CursorImage& cursor) = 0;
  // Draws the cursor image (image and mask) stretched to `size` x `size` at `at`.
  virtual bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, TPoint at, int size) = 0;

  // Pointer and keyboard.
  virtual bool CursorPos(TPoint& pos) = 0;
  virtual bool ControlKeyDown() = 0;

  // Windows.
  // The top-level window under a desktop point, or 0.
  virtual WindowId RootWindowFromPoint(TPoint p) = 0;
  virtual TRect WindowRect(WindowId window) = 0;
  // Asks for an asynchronous repaint of the whole window.
  virtual void Invalidate(WindowId window) = 0;
  virtual void InvalidateArea(WindowId window, const TRect& area) = 0;
  virtual void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) = 0;
  virtual void StopTimer(WindowId window, uintptr_t id) = 0;
  // Two separate position changes of a top-level window; its size stays.
  virtual void SetWindowLeft(WindowId window, int left) = 0;
  virtual void SetWindowTop(WindowId window, int top) = 0;

  // Monitors.
  // The monitor nearest to `p`; false when there is none.
  virtual bool MonitorNearest(TPoint p, MonitorArea& monitor) = 0;
  // Every monitor, in the system's enumeration order.
  virtual std::vector<MonitorArea> Monitors() = 0;

  // The text caret of the focused application; none of these ever waits on that application.
  // The top-left corner of the focused element's first selection rectangle, through UI Automation.
  virtual bool CaretFromAutomation(TPoint& caret) = 0;
  // The classic caret of the foreground thread's focus window, in desktop coordinates.
  virtual bool CaretFromThreadInput(TPoint& caret) = 0;
  // The same look at the foreground thread, telling apart the ways it can come up empty.
  virtual ForegroundFocus LookAtForegroundFocus() = 0;

  // Clipboard: replaces its contents with a device-dependent copy of `picture`.
  virtual bool EmptyClipboard() = 0;
  virtual bool SetClipboardBitmap(const Bitmap& picture) = 0;
  // Replaces the clipboard's contents with plain text (UTF-8 here).
  virtual bool SetClipboardText(const std::string& text) = 0;

  // A modal notice with one OK button; returns once it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
};
