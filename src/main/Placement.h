#pragma once

#include "base/Geometry.h"

// Where the captured rectangle starts on one axis, and where the tracked point lies inside it.
struct AxisPlacement {
  int screen = 0;
  int offset = 0;
  friend bool operator==(const AxisPlacement&, const AxisPlacement&) = default;
};

// The desktop area the view can show at its zoom, never larger than the desktop.
TPoint SourceSize(int viewWidth, int viewHeight, float zoom, const TRect& desktop);

// Keeps a source span of `size` pixels around `centre` on the desktop span [origin, origin+extent).
// The comparisons are strict, so the centre one past the middle still counts as the middle.
AxisPlacement PlaceOnAxis(int centre, int shift, int origin, int extent, int size);
