#pragma once

#include "base/Geometry.h"

// Which ways a whole picture is mirrored: left-right, top-bottom.
struct Mirror {
  bool horizontal = false;
  bool vertical = false;
  friend bool operator==(const Mirror&, const Mirror&) = default;

  // Where column x (row y) of a `width` (`height`) picture lands.
  int X(int x, int width) const { return horizontal ? width - 1 - x : x; }
  int Y(int y, int height) const { return vertical ? height - 1 - y : y; }
  // Where the rectangle `r` of a `width` x `height` picture lands.
  Rect Box(const Rect& r, int width, int height) const {
    Rect m = r;
    if (horizontal) {
      m.left = width - r.right;
      m.right = width - r.left;
    }
    if (vertical) {
      m.top = height - r.bottom;
      m.bottom = height - r.top;
    }
    return m;
  }
};
