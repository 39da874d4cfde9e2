#pragma once

#include <string>

#include "base/Geometry.h"

// How the colour readout writes a colour, and in which colour.

// "#FF8000" for red 255, green 128, blue 0.
std::string ColorToHtml(ColorRef c);
// "RGB : 255,128,0".
std::string ColorToRgbText(ColorRef c);
// White on dark colors, black from an average of 120 up.
ColorRef SwatchFontColor(ColorRef c);
