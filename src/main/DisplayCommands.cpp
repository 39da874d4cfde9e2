#include "main/DisplayCommands.h"

#include <algorithm>
#include <array>

#include "main/Notices.h"

namespace {

constexpr std::array<TMenuItem TMainMenuItems::*, 5> kFrequencyItems = {
    &TMainMenuItems::N5xpersecond1, &TMainMenuItems::N10xpersecond1, &TMainMenuItems::N15xpersecond1,
    &TMainMenuItems::N30xpersecond1, &TMainMenuItems::N60xpersecond1};

constexpr std::array<TMenuItem TMainMenuItems::*, 10> kFilterItems = {&TMainMenuItems::CfNone1,
                                                                      &TMainMenuItems::CfGrayscale1,
                                                                      &TMainMenuItems::CfSepia1,
                                                                      &TMainMenuItems::CfInvert1,
                                                                      &TMainMenuItems::CfProtanopia1,
                                                                      &TMainMenuItems::CfDeuteranopia1,
                                                                      &TMainMenuItems::CfTritanopia1,
                                                                      &TMainMenuItems::CfDaltonizeProtanopia1,
                                                                      &TMainMenuItems::CfDaltonizeDeuteranopia1,
                                                                      &TMainMenuItems::CfDaltonizeTritanopia1};

constexpr std::array<TMenuItem TMainMenuItems::*, 6> kGridItems = {
    &TMainMenuItems::NoGrid1,    &TMainMenuItems::N1pixel1,   &TMainMenuItems::N5pixels1,
    &TMainMenuItems::N10pixels1, &TMainMenuItems::N20pixels1, &TMainMenuItems::N50pixels1};

template <size_t N>
void CheckOnly(TMainMenuItems& items, const std::array<TMenuItem TMainMenuItems::*, N>& group, TMenuItem& chosen) {
  for (TMenuItem TMainMenuItems::*item : group) (items.*item).Checked = false;
  chosen.Checked = true;
}

}  // namespace

int DisplayCommands::ColorFilterIndex() const {
  for (TMenuItem TMainMenuItems::*item : kFilterItems) {
    if ((items_.*item).Checked) return (items_.*item).Tag;
  }
  return cfNone;
}

void DisplayCommands::CheckFilterItem(int filter) {
  for (TMenuItem TMainMenuItems::*item : kFilterItems) (items_.*item).Checked = (items_.*item).Tag == filter;
}

void DisplayCommands::N1xpersecond1Click(TMenuItem& Sender) {
  const bool wasEnabled = timer_.Enabled();
  timer_.SetEnabled(false);
  // A negative tag stops the ticks rather than wrapping round to an interval of weeks.
  timer_.SetInterval(static_cast<uint32_t>(std::max(Sender.Tag, 0)));
  timer_.SetEnabled(wasEnabled);
  setFreqChecked();
  writeSettings_();
}

void DisplayCommands::setFreqChecked() {
  for (TMenuItem TMainMenuItems::*item : kFrequencyItems) {
    (items_.*item).Checked = static_cast<int64_t>(timer_.Interval()) == (items_.*item).Tag;
  }
}

void DisplayCommands::ToggleViewOption(TMenuItem& item, void (TCustomImageView::*setter)(bool)) {
  item.Checked = !item.Checked;
  (view_.*setter)(item.Checked);
  writeSettings_();
}

void DisplayCommands::Smoothen1Click() { ToggleViewOption(items_.Smoothen1, &TCustomImageView::SetSmoothen); }

void DisplayCommands::ColorFilterClick(TMenuItem& Sender) {
  CheckOnly(items_, kFilterItems, Sender);
  view_.SetColorFilterMode(static_cast<TColorFilterMode>(Sender.Tag));
  writeSettings_();
}

void DisplayCommands::FlipHorizontally1Click() {
  ToggleViewOption(items_.FlipHorizontally1, &TCustomImageView::SetFlipHorizontal);
}

void DisplayCommands::FlipVertically1Click() {
  ToggleViewOption(items_.FlipVertically1, &TCustomImageView::SetFlipVertical);
}

void DisplayCommands::Showcursor1Click() { ToggleViewOption(items_.Showcursor1, &TCustomImageView::SetShowCursor); }

void DisplayCommands::DrawCrossHair1Click() {
  ToggleViewOption(items_.DrawCrossHair1, &TCustomImageView::SetDrawCross);
}

void DisplayCommands::N1pixel1Click(TMenuItem& Sender) {
  pixlevel = Sender.Tag;
  view_.SetGridlevel(pixlevel);
  CheckOnly(items_, kGridItems, Sender);
  // "No Grid" leaves the stored spacing for the next write by another command.
  if (pixlevel != 0) writeSettings_();
}

void DisplayCommands::DrawFixedGrid1Click() {
  ToggleViewOption(items_.DrawFixedGrid1, &TCustomImageView::SetFixedGrid);
}

void DisplayCommands::FlipwhenHovered1Click() {
  items_.FlipwhenHovered1.Checked = !items_.FlipwhenHovered1.Checked;
  writeSettings_();
}

void DisplayCommands::CopyImagetoClipboard1Click() {
  // The copy empties and fills the clipboard in one opening, so a failed copy leaves the
  // user's clipboard as it was.
  if (!view_.CopyToClipBoard()) messages_.ShowMessage(kClipboardBusyText);
}

void DisplayCommands::Enabled1Click() {
  items_.Enabled1.Checked = !items_.Enabled1.Checked;
  timer_.SetEnabled(items_.Enabled1.Checked);
  if (OnSwitched) OnSwitched();
}

void DisplayCommands::FormKeyDown(uint16_t& Key, ShiftState Shift) {
  // With Ctrl or Alt, Space belongs to a shortcut (Ctrl+Alt+Space is "Stay On Top").
  if (Key == kVkSpace && !Shift.Ctrl && !Shift.Alt) timer_.SetEnabled(!timer_.Enabled());
  const bool was = items_.Enabled1.Checked;
  items_.Enabled1.Checked = timer_.Enabled();
  if (items_.Enabled1.Checked != was && OnSwitched) OnSwitched();
}
