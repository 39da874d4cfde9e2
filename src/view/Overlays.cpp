#include <algorithm>

#include "base/Arith.h"
#include "view/ContrastPen.h"
#include "view/PenLines.h"
#include "view/VwImage.h"

namespace {

constexpr uint32_t kCrosshairRed = 0x00FF0000;  // 0x0000FF as a pixel word

}  // namespace

void TCustomImageView::DrawCursorOverlay(Bitmap& bitmap, double f) {
  CursorPlacement placement;
  if (PlaceCursor(f, placement)) DrawCursor(bitmap, placement);
}

bool TCustomImageView::PlaceCursor(double f, CursorPlacement& placement) {
  if (!FShowCursor) return false;
  if (!FScreen.CurrentCursor(placement.cursor)) return false;
  // The extra pixel right and down is how the picture has always placed the cursor.
  const TPoint hotSpot = placement.cursor.hotSpot;
  placement.at = {Round((FLeftOffset - hotSpot.x) * f) + 1, Round((FTopOffset - hotSpot.y) * f) + 1};
  placement.size = Round(f * 32);
  return true;
}

void TCustomImageView::DrawCursor(Bitmap& bitmap, const CursorPlacement& placement) {
  if (FOverlayMirror.horizontal || FOverlayMirror.vertical) {
    DrawMirroredCursor(bitmap, placement.cursor, placement.at, placement.size);
  } else {
    FScreen.DrawCursorImage(bitmap, placement.cursor, placement.at, placement.size);
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
  FScreen.DrawCursorImage(FCursorPatch, cursor, {0, 0}, size);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) mirrored(x, y) = FCursorPatch.At(x - at.x, y - at.y);
}

// The grid is drawn with the contrast pen; crossings are recoloured once.
void TCustomImageView::DrawGridOverlay(Bitmap& bitmap) {
  if (!PlanGrid(bitmap)) return;
  for (int y = 0; y < bitmap.Height(); ++y) DrawGridRow(bitmap, y);
}

bool TCustomImageView::PlanGrid(const Bitmap& bitmap) {
  const int G = FGridlevel;
  const double z = FZoom;
  // A spacing below one view pixel has no lines to draw; the shift term would divide by zero.
  const int step = G > 0 ? Round(G * z) : 0;
  if (step == 0) return false;
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
  FGridLineBottom = std::min(r.Height(), h);

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
  // Mirrored across, the run [0, right) becomes [w - right, w).
  const int lineRight = std::min(r.Width(), w);
  FGridLineFrom = FOverlayMirror.horizontal ? w - lineRight : 0;
  FGridLineTo = FGridLineFrom + lineRight;
  FGridColumnsBesideLines.clear();
  for (const int x : FGridColumns) {
    if (x < FGridLineFrom || x >= FGridLineTo) FGridColumnsBesideLines.push_back(x);
  }
  return true;
}

bool TCustomImageView::IsGridColumnRow(int y) const {
  const int line = FOverlayMirror.Y(y, static_cast<int>(FGridRows.size()));
  return !FGridRows[static_cast<size_t>(line)] && line < FGridLineBottom;
}

// Row by row rather than line by line: a column walk would touch every cache line of the
// picture once per line, and the scaled paint draws each row as soon as it is scaled.
void TCustomImageView::DrawGridRow(Bitmap& bitmap, int y) {
  const int line = FOverlayMirror.Y(y, bitmap.Height());
  uint32_t* row = bitmap.Row(y);
  if (FGridRows[static_cast<size_t>(line)]) {
    ContrastRun(row + FGridLineFrom, FGridLineTo - FGridLineFrom);
    // A border makes the lines shorter than the view is wide: columns right of them go on.
    if (line < FGridLineBottom)
      ContrastColumns(row, FGridColumnsBesideLines.data(), static_cast<int>(FGridColumnsBesideLines.size()));
  } else if (line < FGridLineBottom) {
    ContrastColumns(row, FGridColumns.data(), static_cast<int>(FGridColumns.size()));
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
