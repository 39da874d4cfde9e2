#include "fake/FakeScreen.h"

#include <algorithm>

FakeScreen::FakeScreen() { PaintDesktop(PatternPixel); }

uint32_t PatternPixel(int x, int y) {
  const uint32_t ux = static_cast<uint32_t>(x);
  const uint32_t uy = static_cast<uint32_t>(y);
  return ((ux * 7 + uy * 3) & 0xFF) | ((ux * 13 + uy * 29) & 0xFF) << 8 | ((ux + uy * 5) & 0xFF) << 16;
}

void FakeScreen::PaintDesktop(const std::function<uint32_t(int, int)>& pixelAt) {
  pixels.SetSize(virtualScreen.Width(), virtualScreen.Height());
  for (int y = 0; y < pixels.Height(); ++y)
    for (int x = 0; x < pixels.Width(); ++x) pixels.At(x, y) = pixelAt(x + virtualScreen.left, y + virtualScreen.top);
}

bool FakeScreen::CaptureDesktop(const Rect& source, Bitmap& target, Point at) {
  if (!captureWorks) return false;
  ++captures;
  for (int y = 0; y < source.Height(); ++y) {
    const int ty = at.y + y;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int x = 0; x < source.Width(); ++x) {
      const int tx = at.x + x;
      if (tx < 0 || tx >= target.Width()) continue;
      const Point p{source.left + x, source.top + y};
      // Outside every monitor the desktop reads black.
      target.At(tx, ty) = virtualScreen.Contains(p) ? pixels.At(p.x - virtualScreen.left, p.y - virtualScreen.top) : 0;
    }
  }
  return true;
}

bool FakeScreen::CurrentCursor(CursorImage& out) {
  if (!cursorAvailable) return false;
  out = cursor;
  return true;
}

bool FakeScreen::DrawCursorImage(Bitmap& target, const CursorImage&, Point at, int size) {
  cursorDraws.push_back({at, size});
  target.FillRect({at.x, at.y, at.x + size, at.y + size}, cursorPixel);
  return true;
}

bool FakeScreen::MoveCursorTo(Point pos) {
  if (!pointerWorks) return false;
  // As the system does: the pointer stays on the desktop.
  pointer = {std::clamp(pos.x, virtualScreen.left, virtualScreen.right - 1),
             std::clamp(pos.y, virtualScreen.top, virtualScreen.bottom - 1)};
  return true;
}

bool FakeScreen::CursorPos(Point& pos) {
  pos = pointer;
  return pointerWorks;
}
