#include "main/ColorText.h"

#include <cstdio>

#include "base/Colors.h"

namespace {

struct Rgb {
  unsigned r, g, b;
};

Rgb Split(ColorRef c) { return {c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu}; }

}  // namespace

std::string ColorToHtml(ColorRef c) {
  const Rgb v = Split(c);
  char text[8];
  std::snprintf(text, sizeof(text), "#%02X%02X%02X", v.r, v.g, v.b);
  return text;
}

std::string ColorToRgbText(ColorRef c) {
  const Rgb v = Split(c);
  return "RGB : " + std::to_string(v.r) + "," + std::to_string(v.g) + "," + std::to_string(v.b);
}

ColorRef SwatchFontColor(ColorRef c) {
  const Rgb v = Split(c);
  return (v.r + v.g + v.b) / 3 < 120 ? clWhite : clBlack;
}
