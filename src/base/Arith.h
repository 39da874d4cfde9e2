#pragma once

#include <cmath>
#include <cstdint>

// The program's rounding is half-to-even on a double, whatever the caller's type.
// nearbyint follows the current rounding mode, which nothing in this program changes.
inline int32_t Round(double v) { return static_cast<int32_t>(std::nearbyint(v)); }

inline int32_t Ceil(double v) { return static_cast<int32_t>(std::ceil(v)); }
