#pragma once

#include "base/Geometry.h"

// The nearest place for `window` that lies inside `monitor` (its top-left corner when it is
// larger); the size never changes.
Rect MoveOntoMonitor(const Rect& window, const Rect& monitor);
