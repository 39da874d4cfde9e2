#include "main/Placement.h"

#include "base/Arith.h"

TPoint SourceSize(int viewWidth, int viewHeight, float zoom, const TRect& desktop) {
  int width = Round(viewWidth / static_cast<double>(zoom));
  int height = Round(viewHeight / static_cast<double>(zoom));
  if (width > desktop.Width()) width = desktop.Width();
  if (height > desktop.Height()) height = desktop.Height();
  return {width, height};
}

AxisPlacement PlaceOnAxis(int centre, int shift, int origin, int extent, int size) {
  const int half = size / 2;
  int screen;
  if (centre < origin + half)
    screen = origin;
  else if (centre > origin + extent - half)
    screen = origin + extent - size;
  else
    screen = centre - half;
  return {screen, centre - screen + shift};
}
