#include "main/OntoMonitor.h"

#include <algorithm>
#include <cstdint>

Rect MoveOntoMonitor(const Rect& window, const Rect& monitor) {
  // Wide: a window thrown far off by a display change must not overflow on the way back.
  const auto axis = [](int64_t low, int64_t size, int64_t edgeLow, int64_t edgeHigh) {
    return static_cast<int32_t>(std::max(edgeLow, std::min(low, edgeHigh - size)));
  };
  const int64_t width = int64_t{window.right} - window.left;
  const int64_t height = int64_t{window.bottom} - window.top;
  const int32_t left = axis(window.left, width, monitor.left, monitor.right);
  const int32_t top = axis(window.top, height, monitor.top, monitor.bottom);
  return {left, top, static_cast<int32_t>(left + width), static_cast<int32_t>(top + height)};
}
