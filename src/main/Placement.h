#pragma once

#include <cstdint>

#include "base/Geometry.h"

// Where the captured rectangle starts on one axis, and where the tracked point lies inside it.
struct AxisPlacement {
  int screen = 0;
  int offset = 0;
  friend bool operator==(const AxisPlacement&, const AxisPlacement&) = default;
};

// The desktop area the view can show at its zoom, never larger than the desktop.
Point SourceSize(int viewWidth, int viewHeight, float zoom, const Rect& desktop);

// Keeps a source span of `size` pixels around `centre` on the desktop span [origin, origin+extent).
// The comparisons are strict, so the centre one past the middle still counts as the middle.
// `shift` is wide: a stored fixed point may lie anywhere in the 32-bit range, the pointer far from it.
AxisPlacement PlaceOnAxis(int centre, int64_t shift, int origin, int extent, int size);
