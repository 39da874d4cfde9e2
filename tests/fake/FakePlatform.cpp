#include "fake/FakePlatform.h"

#include <algorithm>

FakePlatform::FakePlatform() {
  screen.SetSize(virtualScreen.Width(), virtualScreen.Height());
  PaintDesktop(PatternPixel);
}

uint32_t PatternPixel(int x, int y) {
  const uint32_t ux = static_cast<uint32_t>(x);
  const uint32_t uy = static_cast<uint32_t>(y);
  return ((ux * 7 + uy * 3) & 0xFF) | ((ux * 13 + uy * 29) & 0xFF) << 8 | ((ux + uy * 5) & 0xFF) << 16;
}

void FakePlatform::PaintDesktop(const std::function<uint32_t(int, int)>& pixelAt) {
  screen.SetSize(virtualScreen.Width(), virtualScreen.Height());
  for (int y = 0; y < screen.Height(); ++y)
    for (int x = 0; x < screen.Width(); ++x) screen.At(x, y) = pixelAt(x + virtualScreen.left, y + virtualScreen.top);
}

bool FakePlatform::CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) {
  if (!captureWorks) return false;
  ++captures;
  for (int y = 0; y < source.Height(); ++y) {
    const int ty = at.y + y;
    if (ty < 0 || ty >= target.Height()) continue;
    for (int x = 0; x < source.Width(); ++x) {
      const int tx = at.x + x;
      if (tx < 0 || tx >= target.Width()) continue;
      const TPoint p{source.left + x, source.top + y};
      // Outside every monitor the desktop reads black.
      target.At(tx, ty) = virtualScreen.Contains(p) ? screen.At(p.x - virtualScreen.left, p.y - virtualScreen.top) : 0;
    }
  }
  return true;
}

bool FakePlatform::CurrentCursor(CursorImage& out) {
  if (!cursorAvailable) return false;
  out = cursor;
  return true;
}

bool FakePlatform::DrawCursorImage(Bitmap& target, const CursorImage&, TPoint at, int size) {
  cursorDraws.push_back({at, size});
  target.FillRect({at.x, at.y, at.x + size, at.y + size}, cursorPixel);
  return true;
}

bool FakePlatform::CursorPos(TPoint& pos) {
  pos = pointer;
  return pointerWorks;
}

TRect FakePlatform::WindowRect(WindowId window) {
  auto it = windowRects.find(window);
  return it == windowRects.end() ? TRect{} : it->second;
}

bool FakePlatform::EmptyClipboard() {
  ++clipboardEmptied;
  clipboard.reset();
  return true;
}

bool FakePlatform::SetClipboardBitmap(const Bitmap& picture) {
  clipboard = std::make_unique<Bitmap>();
  clipboard->SetSize(picture.Width(), picture.Height());
  std::copy_n(picture.Pixels(), picture.PixelCount(), clipboard->Pixels());
  return true;
}

void FakePlatform::SetWindowLeft(WindowId window, int left) {
  windowMoves.push_back({window, 'L', left});
  TRect& r = windowRects[window];
  r = {left, r.top, left + r.Width(), r.bottom};
}

void FakePlatform::SetWindowTop(WindowId window, int top) {
  windowMoves.push_back({window, 'T', top});
  TRect& r = windowRects[window];
  r = {r.left, top, r.right, top + r.Height()};
}

bool FakePlatform::MonitorNearest(TPoint p, MonitorArea& monitor) {
  if (monitors.empty()) return false;
  const auto distance = [p](const TRect& r) {
    const int64_t dx = p.x < r.left ? int64_t{r.left} - p.x : p.x >= r.right ? int64_t{p.x} - r.right + 1 : 0;
    const int64_t dy = p.y < r.top ? int64_t{r.top} - p.y : p.y >= r.bottom ? int64_t{p.y} - r.bottom + 1 : 0;
    return dx * dx + dy * dy;
  };
  monitor = *std::min_element(monitors.begin(), monitors.end(), [&](const MonitorArea& a, const MonitorArea& b) {
    return distance(a.bounds) < distance(b.bounds);
  });
  return true;
}

bool FakePlatform::CaretFromAutomation(TPoint& caret) {
  ++automationLookups;
  caret = automationFinds ? automationCaret : TPoint{};
  return automationFinds;
}

bool FakePlatform::CaretFromThreadInput(TPoint& caret) {
  ++threadInputLookups;
  caret = threadInputFinds ? threadInputCaret : TPoint{};
  return threadInputFinds;
}

ForegroundFocus FakePlatform::LookAtForegroundFocus() {
  ++foregroundLooks;
  return foregroundFocus;
}
