#pragma once

#include "base/Geometry.h"
#include "platform/Monitors.h"
#include "platform/Screen.h"
#include "platform/Windowing.h"

// True when the rectangles share a pixel; touching edges do not.
bool RectsOverlap(const Rect& a, const Rect& b);

// Moves `window` beside the pointer on the pointer's monitor, or onto another monitor's
// centre when no side has room.
void MoveAwayFromPointer(Screen& screen, Monitors& monitors, Windowing& windows, WindowId window);
