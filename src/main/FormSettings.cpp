// The main window's stored settings: the values it writes and reads itself, and the list of
// control states its form-state store keeps. Both write into the one key, and several names
// overlap (some in another letter case, which the registry ignores): an option written by a
// command is current at once, while the form state catches up at the next close. Their names,
// "Combobox1_Itemindex" and "Pixlevel" among them, are the stored format and stay as they are.
#include <array>

#include "main/SettingsReading.h"
#include "main/fmMagnifier.h"

namespace {

constexpr int32_t kDefaultInterval = 66;
// Slower than a tick a second looks frozen, faster than the fastest menu choice burns a core.
constexpr int32_t kFastestInterval = 16;
constexpr int32_t kSlowestInterval = 1000;

constexpr std::array<TMenuItem TMainMenuItems::*, 6> kSpacingItems = {
    &TMainMenuItems::NoGrid1,    &TMainMenuItems::N1pixel1,   &TMainMenuItems::N5pixels1,
    &TMainMenuItems::N10pixels1, &TMainMenuItems::N20pixels1, &TMainMenuItems::N50pixels1};

TStoredProp Checked(const char* name, TMenuItem& item) {
  return {name, [&item] { return item.Checked; }, [&item](bool on) { item.Checked = on; }, {}, {}};
}

TStoredProp Flag(const char* name, bool& flag) {
  return {name, [&flag] { return flag; }, [&flag](bool on) { flag = on; }, {}, {}};
}

}  // namespace

std::vector<TStoredProp> Tfrmmain::StoredProps() {
  return {
      {"cbxZoomLevel_ItemIndex",
       {},
       {},
       [this] { return panel.cbxZoomLevel.ItemIndex; },
       [this](int32_t index) {
         // Outside the list there is no entry to select: no selection, not a number kept for later.
         const bool listed = index >= 0 && index < static_cast<int32_t>(ZoomLevels.size());
         panel.cbxZoomLevel.ItemIndex = listed ? index : -1;
       }},
      Flag("Panel1_Visible", panel.Panel1.Visible),
      Checked("DrawCrossHair1_Checked", menu.DrawCrossHair1),
      Checked("RGBValues1_Checked", menu.RGBValues1),
      Checked("Showcursor1_Checked", menu.Showcursor1),
      {"Timer1_Interval",
       {},
       {},
       [this] { return static_cast<int32_t>(Timer1.Interval()); },
       [this](int32_t ms) {
         // 0 would freeze the picture while On/Off shows checked.
         if (ms < kFastestInterval || ms > kSlowestInterval) ms = kDefaultInterval;
         Timer1.SetInterval(static_cast<uint32_t>(ms));
       }},
      Checked("StayOnTop1_Checked", menu.StayOnTop1),
      Checked("Smoothen1_Checked", menu.Smoothen1),
      Checked("DrawGrid1_Checked", menu.DrawGrid1),
      Checked("FixedLocation1_Checked", menu.FixedLocation1),
      Checked("MakeWindowTransparent1_Checked", menu.MakeWindowTransparent1),
      Checked("StayinSystemTray1_Checked", menu.StayinSystemTray1),
      Checked("DrawFixedGrid1_Checked", menu.DrawFixedGrid1),
      Flag("btnType_Down", panel.btnType.Down),
      Checked("FollowCaretPosition1_Checked", menu.FollowCaretPosition1),
      Checked("FlipwhenHovered1_Checked", menu.FlipwhenHovered1),
      Checked("FlipVertically1_Checked", menu.FlipVertically1),
      Checked("FlipHorizontally1_Checked", menu.FlipHorizontally1),
  };
}

void Tfrmmain::WriteSettings() {
  SettingsStore& store = settings_;
  const auto text = [&](const char* name, bool value) { return store.WriteText(name, BoolToText(value)); };
  const bool written =
      store.WriteInteger("ColorFilterMode", imageView_->ColorFilterMode()) &&
      text("DrawCrossHair1_Checked", menu.DrawCrossHair1.Checked) &&
      text("DrawGrid1_Checked", menu.DrawGrid1.Checked) && text("Panel1_Visible", panel.Panel1.Visible) &&
      text("MakeWindowTransparent1_Checked", menu.MakeWindowTransparent1.Checked) &&
      text("ShowCursor1_Checked", menu.Showcursor1.Checked) && text("ShowTitlebar", chrome.TitleShown()) &&
      text("Stayontop1_Checked", menu.StayOnTop1.Checked) && text("RGBValues1_Checked", menu.RGBValues1.Checked) &&
      text("Smoothen1_Checked", menu.Smoothen1.Checked) &&
      store.WriteInteger("Combobox1_Itemindex", menu.AboutGlimmerlux1.Tag) &&
      store.WriteInteger("Timer1_Interval", static_cast<int32_t>(Timer1.Interval())) &&
      store.WriteInteger("memX", tracking.memX) && store.WriteInteger("memY", tracking.memY) &&
      store.WriteInteger("Pixlevel", display.pixlevel);
  if (!written) messages_.ShowMessage("Unable to create key '" + store.KeyPath() + "'");
}

void Tfrmmain::SaveFormState() {
  if (!JvFormStorage1.SaveFormPlacement()) messages_.ShowMessage("Unable to create key '" + settings_.KeyPath() + "'");
}

void Tfrmmain::RestoreFormState() {
  if (!JvFormStorage1.Restored()) JvFormStorage1.RestoreFormPlacement();
}

void Tfrmmain::FormDestroy() {
  if (!JvFormStorage1.Saved()) SaveFormState();
  hotKey.Release();
}

void Tfrmmain::FormShow() {
  lifetime.FormShow();
  SettingsStore& store = settings_;
  TImageView& view = *imageView_;
  chrome.SetWindowOpacity(handle_, 255);

  int32_t filter = ReadInteger(store, "ColorFilterMode", -1);
  if (filter == -1) filter = ReadString(store, "InvertImage1_Checked", "False") == "True" ? cfInvert : cfNone;
  if (filter < cfNone || filter > cfDaltonizeTritanopia) filter = cfNone;
  view.SetColorFilterMode(static_cast<TColorFilterMode>(filter));
  display.CheckFilterItem(filter);
  colorCheck.Restore();

  version = GetVersionText(programFile_);
  UpdateTitleCaption();
  tracking.memX = ReadInteger(store, "memX", 0);
  tracking.memY = ReadInteger(store, "memY", 0);
  display.pixlevel = ReadInteger(store, "pixlevel", 0);
  view.SetGridlevel(display.pixlevel);
  view.SetFixedGrid(menu.DrawFixedGrid1.Checked);
  view.SetFlipHorizontal(menu.FlipHorizontally1.Checked);
  view.SetFlipVertical(menu.FlipVertically1.Checked);
  tracking.followkey = panel.btnType.Down;
  for (TMenuItem TMainMenuItems::*item : kSpacingItems) {
    (menu.*item).Checked = (menu.*item).Tag == display.pixlevel;
  }
  menu.HTMLCode1.Checked = !menu.RGBValues1.Checked;
  menu.mnuRGB.Checked = menu.RGBValues1.Checked;
  menu.mnuHTML.Checked = menu.HTMLCode1.Checked;
  cbxZoomLevelChange();
  SetStayOnTop(menu.StayOnTop1.Checked);
  menu.ShowPanel1.Checked = panel.Panel1.Visible;
  view.SetGetcolor(panel.Panel1.Visible);
  view.SetDrawCross(menu.DrawCrossHair1.Checked);
  view.SetShowCursor(menu.Showcursor1.Checked);
  view.SetSmoothen(menu.Smoothen1.Checked);
  SetTransparency();
  setFreqChecked();
  chrome.RestoreTitlebar(ReadString(store, "ShowTitlebar", "False") == "True");
  menu.AboutGlimmerlux1.Tag = panel.cbxZoomLevel.ItemIndex;
  panel.Changed();
}
