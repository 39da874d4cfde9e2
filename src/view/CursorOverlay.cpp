#include "view/CursorOverlay.h"

#include <algorithm>

#include "base/Arith.h"

bool CursorOverlay::Place(Screen& screen, Point tracked, double f, CursorPlacement& placement) {
  if (!screen.CurrentCursor(placement.cursor)) return false;
  // The extra pixel right and down is how the picture has always placed the cursor.
  const Point hotSpot = placement.cursor.hotSpot;
  placement.at = {Round((tracked.x - hotSpot.x) * f) + 1, Round((tracked.y - hotSpot.y) * f) + 1};
  placement.size = Round(f * 32);
  return true;
}

// Mirrored, the pixels under the cursor are taken out the right way round, the cursor is drawn
// on them as usual, and they go back mirrored: the same bytes as drawing first and mirroring
// after.
void CursorOverlay::Draw(Screen& screen, Bitmap& bitmap, const CursorPlacement& placement, Mirror mirror) {
  const Point at = placement.at;
  const int size = placement.size;
  if (!mirror.horizontal && !mirror.vertical) {
    screen.DrawCursorImage(bitmap, placement.cursor, at, size);
    return;
  }
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  const Rect area{std::max(at.x, 0), std::max(at.y, 0), std::min(at.x + size, w), std::min(at.y + size, h)};
  if (size <= 0 || area.left >= area.right || area.top >= area.bottom) return;
  patch_.SetSize(size, size);
  if (patch_.Empty()) return;
  const auto mirrored = [&](int x, int y) -> uint32_t& { return bitmap.At(mirror.X(x, w), mirror.Y(y, h)); };
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) patch_.At(x - at.x, y - at.y) = mirrored(x, y);
  screen.DrawCursorImage(patch_, placement.cursor, {0, 0}, size);
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x) mirrored(x, y) = patch_.At(x - at.x, y - at.y);
}
