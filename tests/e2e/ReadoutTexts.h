#pragma once

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

// What the status panel's readouts say for a desktop pixel (0x00RRGGBB) and a position.
inline std::string RgbText(uint32_t pixel) {
  return "RGB : " + std::to_string(pixel >> 16 & 0xFF) + "," + std::to_string(pixel >> 8 & 0xFF) + "," +
         std::to_string(pixel & 0xFF);
}

inline std::string HtmlText(uint32_t pixel) {
  char text[8];
  std::snprintf(text, sizeof(text), "#%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
  return text;
}

inline std::string PositionText(POINT p) { return "Position: " + std::to_string(p.x) + ", " + std::to_string(p.y); }
