#include "main/ZoomSelection.h"

namespace {

constexpr int kNoSelection = -1;
constexpr int kLastZoomIndex = static_cast<int>(ZoomLevels.size()) - 1;

// The submenu items in list order.
constexpr std::array<TMenuItem TMainMenuItems::*, ZoomLevels.size()> kZoomItems = {
    &TMainMenuItems::Magnify1X1,   &TMainMenuItems::Magnify2X1,   &TMainMenuItems::Magnify3X1,
    &TMainMenuItems::Magnify4X1,   &TMainMenuItems::Magnify5X1,   &TMainMenuItems::Magnify6X1,
    &TMainMenuItems::Magnify8X1,   &TMainMenuItems::Magnify10X1,  &TMainMenuItems::Magnify12X1,
    &TMainMenuItems::Magnify16x1,  &TMainMenuItems::Magnify20x1,  &TMainMenuItems::Magnify24x1,
    &TMainMenuItems::Magnify28x1,  &TMainMenuItems::Magnify32x1,  &TMainMenuItems::Magnify36x1,
    &TMainMenuItems::Magnify40x1,  &TMainMenuItems::Magnify075X1, &TMainMenuItems::Magnify05X1,
    &TMainMenuItems::Magnify025X1,
};

}  // namespace

int ZoomIndexOf(int factor) {
  for (size_t i = 0; i < ZoomLevels.size(); ++i) {
    if (static_cast<double>(ZoomLevels[i]) == factor) return static_cast<int>(i);
  }
  return kNoSelection;
}

void ZoomSelection::cbxZoomLevelChange() {
  const int i = panel_.cbxZoomLevel.ItemIndex;
  const float z = (i >= 0 && i <= kLastZoomIndex) ? ZoomLevels[static_cast<size_t>(i)] : 1.0f;
  view_.SetZoom(z);
  items_.AboutGlimmerlux1.Tag = i;
  setzoomchecked();
}

void ZoomSelection::Magnify1X1Click(TMenuItem& Sender) {
  const int index = ZoomIndexOf(Sender.Tag);
  items_.AboutGlimmerlux1.Tag = index;
  view_.SetZoom(static_cast<float>(Sender.Tag));
  panel_.cbxZoomLevel.ItemIndex = index;
  setzoomchecked();
  writeSettings_();
}

void ZoomSelection::SelectListedZoom(int index) {
  view_.SetZoom(ZoomLevels[static_cast<size_t>(index)]);
  panel_.cbxZoomLevel.ItemIndex = index;
  items_.AboutGlimmerlux1.Tag = index;
  setzoomchecked();
  writeSettings_();
}

void ZoomSelection::setzoomchecked() {
  const double zoom = view_.Zoom();
  for (size_t i = 0; i < kZoomItems.size(); ++i) {
    (items_.*kZoomItems[i]).Checked = zoom == static_cast<double>(ZoomLevels[i]);
  }
  panel_.Changed();
}

void ZoomSelection::WheelStep(MouseWheel wheel) {
  int& index = panel_.cbxZoomLevel.ItemIndex;
  if (wheel.delta > 0) {
    if (index < kLastZoomIndex) ++index;
  } else if (index > 0) {
    --index;
  }
  cbxZoomLevelChange();
}
