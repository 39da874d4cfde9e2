#include "main/StatusReadouts.h"

#include "main/Notices.h"

#include <cstdio>

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

std::string PositionText(int64_t x, int64_t y) { return "Position: " + std::to_string(x) + ", " + std::to_string(y); }

void StatusReadouts::UpdateStatusReadouts(Point C) {
  // While a menu is open the readouts keep what they showed as it opened: its own highlight
  // would otherwise go into the swatch that its copy command copies.
  if (commandPoint_.MenuOpen()) return;
  panel_.pnlColor.Color = static_cast<ColorRef>(view_.ScreenColor());
  const ColorRef c = panel_.pnlColor.Color;
  panel_.pnlColor.FontColor = SwatchFontColor(c);
  panel_.pnlColor.Caption = items_.HTMLCode1.Checked ? ColorToHtml(c) : ColorToRgbText(c);
  // Widened so that no origin can overflow the difference.
  panel_.lblPosition.Caption = PositionText(int64_t{C.x} - virtx, int64_t{C.y} - virty);
  panel_.Changed();
}

void StatusReadouts::RGBValues1Click() {
  items_.RGBValues1.Checked = true;
  items_.mnuRGB.Checked = true;
  items_.HTMLCode1.Checked = false;
  items_.mnuHTML.Checked = false;
  writeSettings_();
}

void StatusReadouts::HTMLCode1Click() {
  items_.RGBValues1.Checked = false;
  items_.HTMLCode1.Checked = true;
  items_.mnuRGB.Checked = false;
  items_.mnuHTML.Checked = true;
  writeSettings_();
}

void StatusReadouts::CopyColortoClipboard1Click() {
  if (clipboard_.SetText(panel_.pnlColor.Caption))
    messages_.ShowMessage("copied");
  else
    messages_.ShowMessage(kClipboardBusyText);
}

void StatusReadouts::mnuCopyCoord1Click() {
  if (!clipboard_.SetText(panel_.lblPosition.Caption)) messages_.ShowMessage(kClipboardBusyText);
}

void StatusReadouts::SwitchedOff() {
  panel_.lblPosition.Caption = kSwitchedOffText;
  panel_.Changed();
}

void StatusReadouts::SetVirtualOrigin1Click() {
  Point pointer;
  if (!commandPoint_.Pointer(pointer)) return;
  if (pointer == Point{virtx, virty}) {
    virtx = 0;
    virty = 0;
    panel_.lblPosition.FontColor = clWhite;
  } else {
    virtx = pointer.x;
    virty = pointer.y;
    panel_.lblPosition.FontColor = clYellow;
  }
  panel_.Changed();
}
