#pragma once

#include <windows.h>

// The program's logo, 128 x 105 design pixels with its top-left corner at `at`: a lens over a
// glint of light. `scale` maps design pixels to device pixels.
void DrawLogo(HDC dc, POINT at, double scale);
