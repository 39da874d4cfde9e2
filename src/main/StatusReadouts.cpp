#include "main/StatusReadouts.h"

#include <cstdio>

#include "main/fmMagnifier.h"

namespace {

struct Rgb {
  unsigned r, g, b;
};

Rgb Split(TColor c) { return {c & 0xFFu, (c >> 8) & 0xFFu, (c >> 16) & 0xFFu}; }

}  // namespace

std::string ColorToHtml(TColor c) {
  const Rgb v = Split(c);
  char text[8];
  std::snprintf(text, sizeof(text), "#%02X%02X%02X", v.r, v.g, v.b);
  return text;
}

std::string ColorToRgbText(TColor c) {
  const Rgb v = Split(c);
  return "RGB : " + std::to_string(v.r) + "," + std::to_string(v.g) + "," + std::to_string(v.b);
}

TColor SwatchFontColor(TColor c) {
  const Rgb v = Split(c);
  return (v.r + v.g + v.b) / 3 < 120 ? clWhite : clBlack;
}

std::string PositionText(int64_t x, int64_t y) { return "Position: " + std::to_string(x) + ", " + std::to_string(y); }

void Tfrmmain::UpdateStatusReadouts(TPoint C) {
  pnlColor.Color = static_cast<TColor>(FImageView->ScreenColor());
  const TColor c = pnlColor.Color;
  pnlColor.FontColor = SwatchFontColor(c);
  pnlColor.Caption = HTMLCode1.Checked ? ColorToHtml(c) : ColorToRgbText(c);
  // Widened so that no origin can overflow the difference.
  lblPosition.Caption = PositionText(int64_t{C.x} - virtx, int64_t{C.y} - virty);
  PanelChanged();
}

void Tfrmmain::RGBValues1Click() {
  RGBValues1.Checked = true;
  mnuRGB.Checked = true;
  HTMLCode1.Checked = false;
  mnuHTML.Checked = false;
}

void Tfrmmain::HTMLCode1Click() {
  RGBValues1.Checked = false;
  HTMLCode1.Checked = true;
  mnuRGB.Checked = false;
  mnuHTML.Checked = true;
}

void Tfrmmain::CopyColortoClipboard1Click() {
  FPlatform.clipboard.SetText(pnlColor.Caption);
  FPlatform.messages.ShowMessage("copied");
}

void Tfrmmain::mnuCopyCoord1Click() { FPlatform.clipboard.SetText(lblPosition.Caption); }

void Tfrmmain::SetVirtualOrigin1Click() {
  TPoint pointer;
  if (!FPlatform.screen.CursorPos(pointer)) return;
  if (pointer == TPoint{virtx, virty}) {
    virtx = 0;
    virty = 0;
    lblPosition.FontColor = clWhite;
  } else {
    virtx = pointer.x;
    virty = pointer.y;
    lblPosition.FontColor = clYellow;
  }
  PanelChanged();
}
