#pragma once

#include "base/Geometry.h"

// Named colours. Those with 0xFF in the high byte are system colours (the low byte is the
// Windows colour index), which the host resolves.
inline constexpr TColor clBtnFace = 0xFF00000F;
inline constexpr TColor clBtnText = 0xFF000012;
inline constexpr TColor clHighlightText = 0xFF00000E;
inline constexpr TColor clWindowText = 0xFF000008;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clYellow = 0x00FFFF;
