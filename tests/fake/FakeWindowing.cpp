#include "fake/FakeWindowing.h"

Rect FakeWindowing::WindowRect(WindowId window) {
  auto it = windowRects.find(window);
  return it == windowRects.end() ? Rect{} : it->second;
}

void FakeWindowing::SetWindowLeft(WindowId window, int left) {
  windowMoves.push_back({window, 'L', left});
  Rect& r = windowRects[window];
  r = {left, r.top, left + r.Width(), r.bottom};
}

void FakeWindowing::SetWindowTop(WindowId window, int top) {
  windowMoves.push_back({window, 'T', top});
  Rect& r = windowRects[window];
  r = {r.left, top, r.right, top + r.Height()};
}
