#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Bitmap.h"

// Menu tags and the stored setting use the ordinal.
enum TColorFilterMode : uint8_t {
  cfNone,
  cfGrayscale,
  cfSepia,
  cfInvert,
  cfProtanopia,
  cfDeuteranopia,
  cfTritanopia,
  cfDaltonizeProtanopia,
  cfDaltonizeDeuteranopia,
  cfDaltonizeTritanopia,
};

// Recolors every pixel of `bitmap` in place; the fourth byte is never written.
// cfNone and values outside the enumeration change nothing.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode);
// The same on the part of `area` that lies inside the bitmap.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode, Rect area);

// Told which pixels of a run are final, [from, to) counted from the run's start: every pixel
// once, pieces in any order, all before the call that filters the run returns.
using FilteredPiece = void (*)(void* context, size_t from, size_t to);

// The same on `count` contiguous pixels, telling `piece` as they become final, so that the
// caller can use them while they are still in cache.
void ApplyColorFilter(uint32_t* pixels, size_t count, TColorFilterMode mode, FilteredPiece piece, void* context);

// Builds the lookup tables once; later calls return at once.
void BuildFilterTables();
