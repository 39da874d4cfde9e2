// The main window's stored settings. Each option owner names its own values; the form writes
// them (WriteSettings) and hands the control states to its form-state store. Both write into
// the one key, and several names overlap (some in another letter case, which the registry
// ignores): an option written by a command is current at once, while the form state catches up
// at the next close. Their names, "Combobox1_Itemindex" and "Pixlevel" among them, are the
// stored format and stay as they are.
#include <algorithm>
#include <array>
#include <string_view>

#include "main/SettingsReading.h"
#include "main/fmMagnifier.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

namespace {

// The order each list has always been written in; a value named nowhere here follows them.
constexpr std::array<std::string_view, 15> kWrittenOrder = {"ColorFilterMode",
                                                            "DrawCrossHair1_Checked",
                                                            "DrawGrid1_Checked",
                                                            "Panel1_Visible",
                                                            "MakeWindowTransparent1_Checked",
                                                            "ShowCursor1_Checked",
                                                            "ShowTitlebar",
                                                            "Stayontop1_Checked",
                                                            "RGBValues1_Checked",
                                                            "Smoothen1_Checked",
                                                            "Combobox1_Itemindex",
                                                            "Timer1_Interval",
                                                            "memX",
                                                            "memY",
                                                            "Pixlevel"};

constexpr std::array<std::string_view, 18> kFormStateOrder = {"cbxZoomLevel_ItemIndex",
                                                              "Panel1_Visible",
                                                              "DrawCrossHair1_Checked",
                                                              "RGBValues1_Checked",
                                                              "Showcursor1_Checked",
                                                              "Timer1_Interval",
                                                              "StayOnTop1_Checked",
                                                              "Smoothen1_Checked",
                                                              "DrawGrid1_Checked",
                                                              "FixedLocation1_Checked",
                                                              "MakeWindowTransparent1_Checked",
                                                              "StayinSystemTray1_Checked",
                                                              "DrawFixedGrid1_Checked",
                                                              "btnType_Down",
                                                              "FollowCaretPosition1_Checked",
                                                              "FlipwhenHovered1_Checked",
                                                              "FlipVertically1_Checked",
                                                              "FlipHorizontally1_Checked"};

template <typename Value, size_t N>
void SortInto(std::vector<Value>& values, const std::array<std::string_view, N>& order) {
  const auto rank = [&](const Value& v) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), std::string_view(v.Name)) - order.begin());
  };
  std::stable_sort(values.begin(), values.end(), [&](const Value& a, const Value& b) { return rank(a) < rank(b); });
}

}  // namespace

std::array<OptionOwner*, 7> Tfrmmain::Owners() {
  return {&lifetime, &chrome, &display, &colorCheck, &tracking, &zoom, &readouts};
}

void Tfrmmain::CollectSettings() {
  SettingsLists lists;
  for (OptionOwner* owner : Owners()) owner->AddSettings(lists);
  SortInto(lists.written, kWrittenOrder);
  SortInto(lists.formState, kFormStateOrder);
  writtenValues_ = std::move(lists.written);
  JvFormStorage1.StoredProps = std::move(lists.formState);
}

void Tfrmmain::WriteSettings() {
  SettingsStore& store = settings_;
  const bool written =
      std::all_of(writtenValues_.begin(), writtenValues_.end(), [&](const WrittenValue& v) { return v.Write(store); });
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
  for (OptionOwner* owner : Owners()) owner->FormShow(settings_);
  version = GetVersionText(programFile_);
  UpdateTitleCaption();
  panel.Changed();
}
