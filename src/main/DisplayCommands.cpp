#include "main/DisplayCommands.h"

#include <algorithm>

#include "main/Notices.h"
#include "main/Timer.h"
#include "platform/Messages.h"
#include "view/VwImage.h"

namespace {

constexpr int32_t kDefaultInterval = 66;
// Slower than a tick a second looks frozen, faster than the fastest menu choice burns a core.
constexpr int32_t kFastestInterval = 16;
constexpr int32_t kSlowestInterval = 1000;

}  // namespace

void DisplayCommands::N1xpersecond1Click(int interval) {
  const bool wasEnabled = timer_.Enabled();
  timer_.SetEnabled(false);
  // A negative interval stops the ticks rather than wrapping round to an interval of weeks.
  timer_.SetInterval(static_cast<uint32_t>(std::max(interval, 0)));
  timer_.SetEnabled(wasEnabled);
  writeSettings_();
}

void DisplayCommands::Toggle(bool& choice, void (TCustomImageView::*setter)(bool)) {
  choice = !choice;
  (view_.*setter)(choice);
  writeSettings_();
}

void DisplayCommands::Smoothen1Click() { Toggle(smoothen_, &TCustomImageView::SetSmoothen); }

void DisplayCommands::ColorFilterClick(int filter) {
  SetColorFilter(filter);
  writeSettings_();
  if (OnFilterChosen) OnFilterChosen(filter);
}

void DisplayCommands::SetColorFilter(int filter) { view_.SetColorFilterMode(static_cast<TColorFilterMode>(filter)); }

void DisplayCommands::FlipHorizontally1Click() { Toggle(flipHorizontal_, &TCustomImageView::SetFlipHorizontal); }

void DisplayCommands::FlipVertically1Click() { Toggle(flipVertical_, &TCustomImageView::SetFlipVertical); }

void DisplayCommands::Showcursor1Click() { Toggle(showCursor_, &TCustomImageView::SetShowCursor); }

void DisplayCommands::DrawCrossHair1Click() { Toggle(drawCross_, &TCustomImageView::SetDrawCross); }

void DisplayCommands::N1pixel1Click(int spacing) {
  pixlevel = spacing;
  view_.SetGridlevel(pixlevel);
  // "No Grid" leaves the stored spacing for the next write by another command.
  if (pixlevel != 0) writeSettings_();
}

void DisplayCommands::DrawFixedGrid1Click() { Toggle(fixedGrid_, &TCustomImageView::SetFixedGrid); }

void DisplayCommands::CopyImagetoClipboard1Click() {
  // The copy empties and fills the clipboard in one opening, so a failed copy leaves the
  // user's clipboard as it was.
  if (!view_.CopyToClipBoard()) messages_.ShowMessage(kClipboardBusyText);
}

void DisplayCommands::Enabled1Click() {
  switchedOn_ = !switchedOn_;
  timer_.SetEnabled(switchedOn_);
  if (OnSwitched) OnSwitched();
}

void DisplayCommands::FormKeyDown(uint16_t& Key, ShiftState Shift) {
  // With Ctrl or Alt, Space belongs to a shortcut (Ctrl+Alt+Space is "Stay On Top").
  if (Key == kVkSpace && !Shift.Ctrl && !Shift.Alt) timer_.SetEnabled(!timer_.Enabled());
  const bool was = switchedOn_;
  switchedOn_ = timer_.Enabled();
  if (switchedOn_ != was && OnSwitched) OnSwitched();
}

void DisplayCommands::AddSettings(SettingsLists& lists) {
  lists.written.push_back(WrittenInteger("ColorFilterMode", [this] { return view_.ColorFilterMode(); }));
  lists.written.push_back(WrittenFlag("DrawCrossHair1_Checked", [this] { return drawCross_; }));
  lists.written.push_back(WrittenFlag("DrawGrid1_Checked", [this] { return drawGrid_; }));
  lists.written.push_back(WrittenFlag("ShowCursor1_Checked", [this] { return showCursor_; }));
  lists.written.push_back(WrittenFlag("Smoothen1_Checked", [this] { return smoothen_; }));
  lists.written.push_back(WrittenInteger("Timer1_Interval", [this] { return Interval(); }));
  lists.written.push_back(WrittenInteger("Pixlevel", [this] { return pixlevel; }));

  lists.formState.push_back(StoredFlag("DrawCrossHair1_Checked", drawCross_));
  lists.formState.push_back(StoredFlag("Showcursor1_Checked", showCursor_));
  lists.formState.push_back({"Timer1_Interval",
                             {},
                             {},
                             [this] { return static_cast<int32_t>(timer_.Interval()); },
                             [this](int32_t ms) {
                               // 0 would freeze the picture while On/Off shows checked.
                               if (ms < kFastestInterval || ms > kSlowestInterval) ms = kDefaultInterval;
                               timer_.SetInterval(static_cast<uint32_t>(ms));
                             }});
  lists.formState.push_back(StoredFlag("Smoothen1_Checked", smoothen_));
  lists.formState.push_back(StoredFlag("DrawGrid1_Checked", drawGrid_));
  lists.formState.push_back(StoredFlag("DrawFixedGrid1_Checked", fixedGrid_));
  lists.formState.push_back(StoredFlag("FlipVertically1_Checked", flipVertical_));
  lists.formState.push_back(StoredFlag("FlipHorizontally1_Checked", flipHorizontal_));
}

void DisplayCommands::FormShow(SettingsStore& store) {
  int32_t filter = ReadInteger(store, "ColorFilterMode", -1);
  if (filter == -1) filter = ReadString(store, "InvertImage1_Checked", "False") == "True" ? cfInvert : cfNone;
  if (filter < cfNone || filter > cfDaltonizeTritanopia) filter = cfNone;
  SetColorFilter(filter);

  pixlevel = ReadInteger(store, "pixlevel", 0);
  view_.SetGridlevel(pixlevel);
  view_.SetFixedGrid(fixedGrid_);
  view_.SetFlipHorizontal(flipHorizontal_);
  view_.SetFlipVertical(flipVertical_);
  view_.SetDrawCross(drawCross_);
  view_.SetShowCursor(showCursor_);
  view_.SetSmoothen(smoothen_);
}
