#include "main/StatusReadouts.h"

#include "main/ColorText.h"
#include "main/CommandPoint.h"
#include "main/Notices.h"

#include <cstdio>

std::string PositionText(int64_t x, int64_t y) { return "Position: " + std::to_string(x) + ", " + std::to_string(y); }

void StatusReadouts::UpdateStatusReadouts(Point C) {
  // While a menu is open the readouts keep what they showed as it opened: its own highlight
  // would otherwise go into the swatch that its copy command copies.
  if (commandPoint_.MenuOpen()) return;
  panel_.pnlColor.Color = static_cast<ColorRef>(view_.ScreenColor());
  const ColorRef c = panel_.pnlColor.Color;
  panel_.pnlColor.FontColor = SwatchFontColor(c);
  panel_.pnlColor.Caption = rgbValues_ ? ColorToRgbText(c) : ColorToHtml(c);
  // Widened so that no origin can overflow the difference.
  panel_.lblPosition.Caption = PositionText(int64_t{C.x} - virtx, int64_t{C.y} - virty);
  panel_.Changed();
}

void StatusReadouts::RGBValues1Click() {
  rgbValues_ = true;
  writeSettings_();
}

void StatusReadouts::HTMLCode1Click() {
  rgbValues_ = false;
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

void StatusReadouts::AddSettings(SettingsLists& lists) {
  lists.written.push_back(WrittenFlag("RGBValues1_Checked", [this] { return rgbValues_; }));
  lists.formState.push_back(StoredFlag("RGBValues1_Checked", rgbValues_));
}
