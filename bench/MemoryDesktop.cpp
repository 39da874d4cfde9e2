#include "MemoryDesktop.h"

#include <algorithm>
#include <cstring>

namespace bench {

MemoryDesktop::MemoryDesktop(int width, int height) {
  virtualScreen = {0, 0, width, height};
  pixels.SetSize(width, height);
}

bool MemoryDesktop::CaptureDesktop(const Rect& source, Bitmap& target, Point at) {
  for (int y = 0; y < source.Height(); ++y) {
    const int ty = at.y + y;
    if (ty < 0 || ty >= target.Height()) continue;
    const int sy = source.top + y;
    const int from = std::max({0, -at.x, -source.left});
    const int to = std::min({source.Width(), target.Width() - at.x, pixels.Width() - source.left});
    uint32_t* out = target.Row(ty) + at.x;
    // Outside the desktop reads black.
    if (sy < 0 || sy >= pixels.Height() || from >= to) {
      std::fill(out + std::max(0, -at.x), out + std::min(source.Width(), target.Width() - at.x), 0u);
      continue;
    }
    std::fill(out + std::max(0, -at.x), out + from, 0u);
    std::memcpy(out + from, pixels.Row(sy) + source.left + from, static_cast<size_t>(to - from) * sizeof(uint32_t));
    std::fill(out + to, out + std::min(source.Width(), target.Width() - at.x), 0u);
  }
  return true;
}

bool MemoryDesktop::CurrentCursor(CursorImage& out) {
  out = {1, {0, 0}};
  return true;
}

bool MemoryDesktop::DrawCursorImage(Bitmap& target, const CursorImage&, Point at, int size) {
  for (int v = 0; v < size; ++v) {
    const int y = at.y + v;
    if (y < 0 || y >= target.Height()) continue;
    for (int u = 0; u <= v / 2 && u < size; ++u) {
      const int x = at.x + u;
      if (x < 0 || x >= target.Width()) continue;
      const bool edge = u == 0 || u == v / 2 || v == size - 1;
      target.At(x, y) = (target.At(x, y) & 0xFF000000u) | (edge ? 0u : 0x00FFFFFFu);
    }
  }
  return true;
}

}  // namespace bench
