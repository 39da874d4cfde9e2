#pragma once

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

// Recolours every pixel of `bitmap` in place; the fourth byte is never written.
// cfNone and values outside the enumeration change nothing.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode);
// The same on the part of `area` that lies inside the bitmap.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode, TRect area);

// Builds the lookup tables once; later calls return at once.
void BuildFilterTables();
