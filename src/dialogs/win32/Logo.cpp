#include "dialogs/win32/Logo.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/Handles.h"

namespace {

struct Pen {
  PenHandle pen;
  SelectionGuard selected;
  Pen(HDC dc, int width, COLORREF color) : pen(::CreatePen(PS_SOLID, width, color)), selected(dc, pen.Get()) {}
};

struct Brush {
  BrushHandle brush;
  SelectionGuard selected;
  Brush(HDC dc, COLORREF color) : brush(::CreateSolidBrush(color)), selected(dc, brush.Get()) {}
};

}  // namespace

void DrawLogo(HDC dc, POINT at, double scale) {
  const auto X = [&](double x) { return at.x + static_cast<int>(std::lround(x * scale)); };
  const auto Y = [&](double y) { return at.y + static_cast<int>(std::lround(y * scale)); };
  const auto W = [&](double w) { return std::max(1, static_cast<int>(std::lround(w * scale))); };

  // The lens: rings from a deep blue rim to a pale centre, as glass catches the light.
  constexpr double kCx = 52, kCy = 46, kRadius = 40;
  for (int ring = 0; ring < 8; ++ring) {
    const double r = kRadius - ring * 4.5;
    const int t = ring * 32;
    Brush fill(dc, RGB(std::min(255, 40 + t / 2 + ring * 12), std::min(255, 90 + t / 2 + ring * 8), 200 + ring * 7));
    Pen none(dc, 1, RGB(std::min(255, 40 + t / 2 + ring * 12), std::min(255, 90 + t / 2 + ring * 8), 200 + ring * 7));
    ::Ellipse(dc, X(kCx - r), Y(kCy - r), X(kCx + r), Y(kCy + r));
  }
  {
    // The rim and the handle, in graphite.
    Pen rim(dc, W(7), RGB(52, 58, 70));
    SelectionGuard hollow(dc, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc, X(kCx - kRadius), Y(kCy - kRadius), X(kCx + kRadius), Y(kCy + kRadius));
  }
  {
    Pen handle(dc, W(13), RGB(52, 58, 70));
    ::MoveToEx(dc, X(82), Y(76), nullptr);
    ::LineTo(dc, X(112), Y(100));
  }
  {
    Pen grip(dc, W(7), RGB(230, 150, 40));
    ::MoveToEx(dc, X(92), Y(84), nullptr);
    ::LineTo(dc, X(110), Y(98));
  }
  // The glint: a four-pointed star of warm light on the glass, and a smaller one beside it.
  const auto Star = [&](double cx, double cy, double arm, double waist, COLORREF color) {
    POINT points[8];
    for (int i = 0; i < 8; ++i) {
      const double angle = i * 3.14159265358979 / 4;
      const double r = i % 2 == 0 ? arm : waist;
      points[i] = POINT{X(cx + r * std::sin(angle)), Y(cy - r * std::cos(angle))};
    }
    Brush fill(dc, color);
    Pen edge(dc, 1, color);
    ::Polygon(dc, points, 8);
  };
  Star(40, 34, 17, 4, RGB(255, 214, 90));
  Star(63, 58, 8, 2, RGB(255, 244, 200));
  Star(116, 14, 10, 2.5, RGB(255, 190, 60));
}
