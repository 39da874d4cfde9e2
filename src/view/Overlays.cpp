#include <algorithm>

#include "base/Arith.h"
#include "view/GridPlan.h"
#include "view/PenLines.h"
#include "view/VwImage.h"

namespace {

constexpr uint32_t kCrosshairRed = 0x00FF0000;  // 0x0000FF as a pixel word

}  // namespace

void TCustomImageView::DrawCursorOverlay(Bitmap& bitmap, double f) {
  CursorPlacement placement;
  if (PlaceCursor(f, placement)) cursor_.Draw(screen_, bitmap, placement, overlayMirror_);
}

bool TCustomImageView::PlaceCursor(double f, CursorPlacement& placement) {
  return FShowCursor && CursorOverlay::Place(screen_, {FLeftOffset, FTopOffset}, f, placement);
}

void TCustomImageView::DrawGridOverlay(Bitmap& bitmap) {
  if (!PlanGrid(bitmap)) return;
  for (int y = 0; y < bitmap.Height(); ++y) grid_.DrawRow(bitmap.Row(y), y);
}

bool TCustomImageView::PlanGrid(const Bitmap& bitmap) {
  const Rect r = GetImageRect();
  GridSettings s;
  s.gridlevel = FGridlevel;
  s.zoom = FZoom;
  s.fixed = FFixedGrid;
  s.screen = {FScreenLeft, FScreenTop};
  s.tracked = {FLeftOffset, FTopOffset};
  s.viewWidth = width_;
  s.viewHeight = height_;
  s.areaWidth = r.Width();
  s.areaHeight = r.Height();
  return grid_.Plan(s, bitmap.Width(), bitmap.Height(), overlayMirror_);
}

void TCustomImageView::DrawCrosshairOverlay(Bitmap& bitmap, bool scaled) {
  const int L = FLeftOffset;
  const int T = FTopOffset;
  // An averaged sample is outlined: the box of every pixel in the average.
  const int half = sampleSize_ / 2;
  if (!scaled) {
    auto invert = [&](int x, int y) {
      if (x >= 0 && x < bitmap.Width() && y >= 0 && y < bitmap.Height()) bitmap.At(x, y) = InvertPixel(bitmap.At(x, y));
    };
    if (half == 0) {
      invert(L, T);
      return;
    }
    // At zoom 1 the ring just outside the box, which leaves the sampled pixels to be seen.
    const int ring = half + 1;
    for (int x = L - ring; x <= L + ring; ++x) {
      invert(x, T - ring);
      invert(x, T + ring);
    }
    for (int y = T - ring + 1; y < T + ring; ++y) {
      invert(L - ring, y);
      invert(L + ring, y);
    }
    return;
  }
  const double z = FZoom;
  const bool red = GridStep(FGridlevel, z) != 0 && FDrawGrid;
  PenLines pen(bitmap, red ? PenMode::Copy : PenMode::Invert, kCrosshairRed, overlayMirror_);
  const int x0 = Round((L - half) * z);
  const int y0 = Round((T - half) * z);
  const int x1 = Round((L + half + 1) * z);
  const int y1 = Round((T + half + 1) * z);
  pen.MoveTo(x0, y0);
  pen.LineTo(x1, y0);
  pen.LineTo(x1, y1);
  pen.LineTo(x0, y1);
  pen.LineTo(x0, y0);
}
