#pragma once

#include <algorithm>
#include <cstdint>

#include "base/Bitmap.h"
#include "base/Mirror.h"

enum class PenMode : uint8_t { Copy, Invert };

// A one-pixel pen for the horizontal and vertical lines the overlays draw. As with GDI, a line
// excludes its end point, so a closed outline touches every pixel once; drawing is clipped to
// the bitmap and the fourth byte of a pixel is left alone. With a mirror each pixel lands
// where mirroring the whole bitmap afterwards would put it.
class PenLines {
 public:
  PenLines(Bitmap& bitmap, PenMode mode, uint32_t pixel, Mirror mirror = {})
      : bitmap_(bitmap), mode_(mode), pixel_(pixel & 0x00FFFFFFu), mirror_(mirror) {}

  void MoveTo(int x, int y) {
    x_ = x;
    y_ = y;
  }

  // Only axis-parallel lines are ever asked for.
  void LineTo(int x, int y) {
    if (y == y_ && x != x_) {
      const int step = x > x_ ? 1 : -1;
      for (int px = x_; px != x; px += step) Plot(px, y_);
    } else if (x == x_ && y != y_) {
      const int step = y > y_ ? 1 : -1;
      for (int py = y_; py != y; py += step) Plot(x_, py);
    }
    MoveTo(x, y);
  }

 private:
  void Plot(int x, int y) {
    if (x < 0 || y < 0 || x >= bitmap_.Width() || y >= bitmap_.Height()) return;
    x = mirror_.X(x, bitmap_.Width());
    y = mirror_.Y(y, bitmap_.Height());
    uint32_t& p = bitmap_.At(x, y);
    p = mode_ == PenMode::Invert ? InvertPixel(p) : (p & 0xFF000000u) | pixel_;
  }

  Bitmap& bitmap_;
  PenMode mode_;
  uint32_t pixel_;
  Mirror mirror_;
  int x_ = 0;
  int y_ = 0;
};
