#include <algorithm>

#include "base/Arith.h"
#include "view/PenLines.h"
#include "view/VwImage.h"

namespace {

constexpr uint32_t kCrosshairRed = 0x00FF0000;  // 0x0000FF as a pixel word

}  // namespace

void TCustomImageView::DrawCursorOverlay(Bitmap& bitmap, double f) {
  if (!FShowCursor) return;
  CursorImage cursor;
  if (!FPlatform.CurrentCursor(cursor)) return;
  // The extra pixel right and down is how the picture has always placed the cursor.
  const TPoint at{Round((FLeftOffset - cursor.hotSpot.x) * f) + 1, Round((FTopOffset - cursor.hotSpot.y) * f) + 1};
  FPlatform.DrawCursorImage(bitmap, cursor, at, Round(f * 32));
}

// The grid pen is a contrast pen: black over light pixels, white over dark ones, so the grid
// shows on any picture and does not depend on what an earlier paint left in a pen. Crossings
// are recoloured once.
void TCustomImageView::DrawGridOverlay(Bitmap& bitmap) {
  const int G = FGridlevel;
  const double z = FZoom;
  // A spacing below one view pixel has no lines to draw; the shift term would divide by zero.
  const int step = G > 0 ? Round(G * z) : 0;
  if (step == 0) return;
  const TRect r = GetImageRect();
  const int w = bitmap.Width();
  const int h = bitmap.Height();

  FGridRows.assign(static_cast<size_t>(std::max(h, 0)), 0);
  const int offY = FFixedGrid ? FScreenTop % G : 0;
  const int shiftY = (Round(FTopOffset * z) - FHeight / 2) % step;
  for (int j = 0, rows = Round(r.Height() / z); j <= rows; ++j) {
    if ((j - FTopOffset) % G != 0) continue;
    const int y = Round(j * z) - Round(offY * z) - shiftY;
    if (y >= 0 && y < h) FGridRows[static_cast<size_t>(y)] = 1;
  }

  const int lineBottom = std::min(r.Height(), h);
  const int offX = FFixedGrid ? FScreenLeft % G : 0;
  const int shiftX = (Round(FLeftOffset * z) - FWidth / 2) % step;
  int lastX = -1;
  for (int i = 0, columns = Round(r.Width() / z); i <= columns; ++i) {
    if ((i - FLeftOffset) % G != 0) continue;
    const int x = Round(i * z) - Round(offX * z) - shiftX;
    if (x < 0 || x >= w || x == lastX) continue;
    lastX = x;
    for (int y = 0; y < lineBottom; ++y) {
      if (!FGridRows[static_cast<size_t>(y)]) bitmap.At(x, y) = ContrastPixel(bitmap.At(x, y));
    }
  }

  const int lineRight = std::min(r.Width(), w);
  for (int y = 0; y < h; ++y) {
    if (!FGridRows[static_cast<size_t>(y)]) continue;
    uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < lineRight; ++x) row[x] = ContrastPixel(row[x]);
  }
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
  PenLines pen(bitmap, red ? PenMode::Copy : PenMode::Invert, kCrosshairRed);
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
