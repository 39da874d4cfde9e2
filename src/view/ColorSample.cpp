#include "view/ColorSample.h"

#include <algorithm>

ColorRef AverageColor(const Bitmap& bitmap, Point centre, int size) {
  const int half = std::max(size, 1) / 2;
  const int left = std::max(centre.x - half, 0);
  const int right = std::min(centre.x + half + 1, bitmap.Width());
  const int top = std::max(centre.y - half, 0);
  const int bottom = std::min(centre.y + half + 1, bitmap.Height());
  if (left >= right || top >= bottom) return 0;
  uint32_t sum[3] = {0, 0, 0};  // blue, green, red
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const uint32_t p = bitmap.At(x, y);
      for (int c = 0; c < 3; ++c) sum[c] += p >> (8 * c) & 0xFF;
    }
  }
  const auto n = static_cast<uint32_t>((right - left) * (bottom - top));
  uint32_t pixel = 0;
  for (int c = 0; c < 3; ++c) pixel |= (sum[c] + n / 2) / n << (8 * c);
  return ColorFromPixel(pixel);
}
