#include <algorithm>

#include "base/Arith.h"
#include "view/PenLines.h"
#include "view/VwImage.h"

namespace {

constexpr uint32_t kCrosshairRed = 0x00FF0000;  // 0x0000FF as a pixel word

}  // namespace

void TCustomImageView::DrawCursorOverlay(Bitmap& bitmap, double f) {
  CursorPlacement placement;
  if (PlaceCursor(f, placement)) FCursor.Draw(FScreen, bitmap, placement, FOverlayMirror);
}

bool TCustomImageView::PlaceCursor(double f, CursorPlacement& placement) {
  return FShowCursor && CursorOverlay::Place(FScreen, {FLeftOffset, FTopOffset}, f, placement);
}

void TCustomImageView::DrawGridOverlay(Bitmap& bitmap) {
  if (!PlanGrid(bitmap)) return;
  for (int y = 0; y < bitmap.Height(); ++y) FGrid.DrawRow(bitmap.Row(y), y);
}

bool TCustomImageView::PlanGrid(const Bitmap& bitmap) {
  const TRect r = GetImageRect();
  GridSettings s;
  s.gridlevel = FGridlevel;
  s.zoom = FZoom;
  s.fixed = FFixedGrid;
  s.screen = {FScreenLeft, FScreenTop};
  s.tracked = {FLeftOffset, FTopOffset};
  s.viewWidth = FWidth;
  s.viewHeight = FHeight;
  s.areaWidth = r.Width();
  s.areaHeight = r.Height();
  return FGrid.Plan(s, bitmap.Width(), bitmap.Height(), FOverlayMirror);
}

void TCustomImageView::DrawCrosshairOverlay(Bitmap& bitmap, bool scaled) {
  const int L = FLeftOffset;
  const int T = FTopOffset;
  if (!scaled) {
    if (L >= 0 && L < bitmap.Width() && T >= 0 && T < bitmap.Height()) bitmap.At(L, T) = InvertPixel(bitmap.At(L, T));
    return;
  }
  const double z = FZoom;
  const bool red = FGridlevel > 0 && Round(FGridlevel * z) != 0 && FDrawGrid;
  PenLines pen(bitmap, red ? PenMode::Copy : PenMode::Invert, kCrosshairRed, FOverlayMirror);
  const int x0 = Round(L * z);
  const int y0 = Round(T * z);
  const int x1 = Round((L + 1) * z);
  const int y1 = Round((T + 1) * z);
  pen.MoveTo(x0, y0);
  pen.LineTo(x1, y0);
  pen.LineTo(x1, y1);
  pen.LineTo(x0, y1);
  pen.LineTo(x0, y0);
}
