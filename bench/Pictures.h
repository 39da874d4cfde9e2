#pragma once

#include <cstdint>
#include <string>

#include "base/Bitmap.h"

namespace bench {

inline constexpr int kViewWidth = 1920;
inline constexpr int kViewHeight = 1080;

// Every pixel unrelated to its neighbours: the worst case for anything that looks pixels up.
void FillNoise(Bitmap& bitmap, uint32_t seed = 1);

// Something like a working desktop: a wallpaper gradient, windows with flat faces, title bars
// and lines of small glyph-like strokes.
void FillDesktop(Bitmap& bitmap);

// Registers (once) the memcpy of a width x height frame, the least any pass over that frame
// can cost, and returns its benchmark name.
std::string FrameCopy(int width, int height);

}  // namespace bench
