#pragma once

#include <cstdint>

#include "base/Bitmap.h"
#include "base/Geometry.h"

// The cursor image shown at the moment, as far as the overlay needs it.
struct CursorImage {
  uintptr_t handle = 0;
  Point hotSpot;
};

// The desktop's pixels, the pointer and the cursor image over them.
class Screen {
 public:
  virtual ~Screen() = default;

  // The bounding box of all monitors, in physical pixels.
  virtual Rect VirtualScreen() = 0;
  // Copies the desktop rectangle `source` into `target` with its top-left pixel at `at`;
  // parts outside `target` are clipped. False when the desktop cannot be read at all.
  virtual bool CaptureDesktop(const Rect& source, Bitmap& target, Point at) = 0;
  virtual bool CurrentCursor(CursorImage& cursor) = 0;
  // Draws the cursor image (image and mask) stretched to `size` x `size` at `at`.
  virtual bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, Point at, int size) = 0;

  // The screen's logical pixels per inch, which a stored window placement must match.
  virtual int PixelsPerInch() = 0;

  virtual bool CursorPos(Point& pos) = 0;
  // Puts the pointer there, as far as the desktop reaches.
  virtual bool MoveCursorTo(Point pos) = 0;
  // Held, it keeps the window where it is while the pointer passes over it.
  virtual bool ControlKeyDown() = 0;
};
