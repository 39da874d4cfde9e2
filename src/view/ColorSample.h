#pragma once

#include "base/Bitmap.h"
#include "base/Geometry.h"

// The average 0x00BBGGRR colour of the `size` x `size` square centred on `centre`, over the
// part of it inside `bitmap`, each channel rounded half up; 0 when none of it is inside.
ColorRef AverageColor(const Bitmap& bitmap, Point centre, int size);
