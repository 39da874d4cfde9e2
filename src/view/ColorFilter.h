#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Geometry.h"
#include "view/FilteredPiece.h"
#include "view/ViewOptions.h"

class Bitmap;

// Recolors every pixel of `bitmap` in place; the fourth byte is never written.
// cfNone and values outside the enumeration change nothing.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode);
// The same on the part of `area` that lies inside the bitmap.
void ApplyColorFilter(Bitmap& bitmap, TColorFilterMode mode, Rect area);

// The same on `count` contiguous pixels, telling `piece` as they become final, so that the
// caller can use them while they are still in cache.
void ApplyColorFilter(uint32_t* pixels, size_t count, TColorFilterMode mode, FilteredPiece piece, void* context);

// Builds the lookup tables once; later calls return at once.
void BuildFilterTables();
