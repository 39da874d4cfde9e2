#include "main/Placement.h"

#include <algorithm>

#include "base/Arith.h"

Point SourceSize(int viewWidth, int viewHeight, float zoom, const Rect& desktop) {
  int width = Round(viewWidth / static_cast<double>(zoom));
  int height = Round(viewHeight / static_cast<double>(zoom));
  if (width > desktop.Width()) width = desktop.Width();
  if (height > desktop.Height()) height = desktop.Height();
  return {width, height};
}

AxisPlacement PlaceOnAxis(int centre, int64_t shift, int origin, int extent, int size) {
  const int half = size / 2;
  int screen;
  if (centre < origin + half)
    screen = origin;
  else if (centre > origin + extent - half)
    screen = origin + extent - size;
  else
    screen = centre - half;
  const int64_t offset = int64_t{centre} - screen + shift;
  return {screen, static_cast<int>(std::clamp<int64_t>(offset, INT32_MIN, INT32_MAX))};
}
