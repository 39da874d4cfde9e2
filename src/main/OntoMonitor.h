#pragma once

#include "base/Geometry.h"

// The nearest place for `window` that lies inside `monitor` (its top-left corner when it is
// larger); the size never changes.
TRect MoveOntoMonitor(const TRect& window, const TRect& monitor);
