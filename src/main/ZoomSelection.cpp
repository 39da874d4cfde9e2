#include "main/ZoomSelection.h"

#include "main/StatusPanel.h"
#include "view/VwImage.h"

namespace {

constexpr int kNoSelection = -1;
constexpr int kLastZoomIndex = static_cast<int>(ZoomLevels.size()) - 1;

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
  recordedIndex_ = i;
  panel_.Changed();
}

void ZoomSelection::Magnify1X1Click(int factor) {
  const int index = ZoomIndexOf(factor);
  recordedIndex_ = index;
  view_.SetZoom(static_cast<float>(factor));
  panel_.cbxZoomLevel.ItemIndex = index;
  panel_.Changed();
  writeSettings_();
}

void ZoomSelection::SelectListedZoom(int index) {
  view_.SetZoom(ZoomLevels[static_cast<size_t>(index)]);
  panel_.cbxZoomLevel.ItemIndex = index;
  recordedIndex_ = index;
  panel_.Changed();
  writeSettings_();
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

void ZoomSelection::AddSettings(SettingsLists& lists) {
  lists.written.push_back(WrittenInteger("Combobox1_Itemindex", [this] { return recordedIndex_; }));
  lists.formState.push_back({"cbxZoomLevel_ItemIndex",
                             {},
                             {},
                             [this] { return panel_.cbxZoomLevel.ItemIndex; },
                             [this](int32_t index) {
                               // Outside the list there is no entry to select: no selection, not a
                               // number kept for later.
                               const bool listed = index >= 0 && index < static_cast<int32_t>(ZoomLevels.size());
                               panel_.cbxZoomLevel.ItemIndex = listed ? index : kNoSelection;
                             }});
}

void ZoomSelection::FormShow(SettingsStore&) {
  cbxZoomLevelChange();
  recordedIndex_ = panel_.cbxZoomLevel.ItemIndex;
}
