#pragma once

#include <cstdint>

#include "base/Bitmap.h"
#include "base/Geometry.h"

// An opaque window handle as the platform hands it out; 0 is "no window".
using WindowId = uintptr_t;

// The cursor image shown at the moment, as far as the overlay needs it.
struct CursorImage {
  uintptr_t handle = 0;
  TPoint hotSpot;
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

  // Clipboard: replaces its contents with a device-dependent copy of `picture`.
  virtual bool EmptyClipboard() = 0;
  virtual bool SetClipboardBitmap(const Bitmap& picture) = 0;
};
