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
  if (FOverlayMirror.horizontal || FOverlayMirror.vertical) {
    DrawMirroredCursor(bitmap, cursor, at, Round(f * 32));
  } else {
    FPlatform.DrawCursorImage(bitmap, cursor, at, Round(f * 32));
  }
}

// The pixels under the cursor are taken out the right way round, the cursor is drawn on them
// as usual, and they go back mirrored: the same bytes as drawing first and mirroring after.
void TCustomImageView::DrawMirroredCursor(Bitmap& bitmap, const CursorImage& cursor, TPoint at, int size) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const TRect area{std::max(at.x, 0), std::max(at.y, 0), std::min(at.x + size, w), std::min(at.y + size, h)};
  if (size <= 0 || area.left >= area.right || area.top >= area.bottom) return;
  FCursorPatch.SetSize(size, size);
  if (FCursorPatch.Empty()) return;
  const auto mirrored = [&](int x, int y) -> uint32_t& {
    return bitmap.At(FOverlayMirror.X(x, w), FOverlayMirror.Y(y, h));
  };
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) FCursorPatch.At(x - at.x, y - at.y) = mirrored(x, y);
  FPlatform.DrawCursorImage(FCursorPatch, cursor, {0, 0}, size);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) mirrored(x, y) = FCursorPatch.At(x - at.x, y - at.y);
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
  FGridColumns.clear();
  int lastX = -1;
  for (int i = 0, columns = Round(r.Width() / z); i <= columns; ++i) {
    if ((i - FLeftOffset) % G != 0) continue;
    const int x = Round(i * z) - Round(offX * z) - shiftX;
    if (x < 0 || x >= w || x == lastX) continue;
    lastX = x;
    FGridColumns.push_back(FOverlayMirror.X(x, w));
  }
  // Row by row rather than line by line: a column walk would touch every cache line of the
  // picture once per line.
  for (int y = 0; y < lineBottom; ++y) {
    if (FGridRows[static_cast<size_t>(y)]) continue;
    uint32_t* row = bitmap.Row(FOverlayMirror.Y(y, h));
    for (const int x : FGridColumns) row[x] = ContrastPixel(row[x]);
  }

  // Mirrored across, the run [0, lineRight) becomes [w - lineRight, w).
  const int lineRight = std::min(r.Width(), w);
  const int lineFrom = FOverlayMirror.horizontal ? w - lineRight : 0;
  for (int y = 0; y < h; ++y) {
    if (!FGridRows[static_cast<size_t>(y)]) continue;
    uint32_t* row = bitmap.Row(FOverlayMirror.Y(y, h));
    for (int x = lineFrom; x < lineFrom + lineRight; ++x) row[x] = ContrastPixel(row[x]);
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
