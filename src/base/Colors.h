#pragma once

#include "base/Geometry.h"

// Named colors. Those with 0xFF in the high byte are system colors (the low byte is the
// Windows colour index), which the host resolves.
inline constexpr ColorRef clBtnFace = 0xFF00000F;
inline constexpr ColorRef clBtnText = 0xFF000012;
inline constexpr ColorRef clHighlightText = 0xFF00000E;
inline constexpr ColorRef clWindowText = 0xFF000008;
inline constexpr ColorRef clBlack = 0x000000;
inline constexpr ColorRef clSilver = 0xC0C0C0;
inline constexpr ColorRef clWhite = 0xFFFFFF;
inline constexpr ColorRef clYellow = 0x00FFFF;
