#include "main/ZoomSelection.h"

#include "main/fmMagnifier.h"

namespace {

constexpr uint32_t kMouseWheelMessage = 0x020A;
constexpr int kNoSelection = -1;
constexpr int kLastZoomIndex = static_cast<int>(ZoomLevels.size()) - 1;

// The submenu items in list order.
constexpr std::array<TMenuItem Tfrmmain::*, ZoomLevels.size()> kZoomItems = {
    &Tfrmmain::Magnify1X1,   &Tfrmmain::Magnify2X1,  &Tfrmmain::Magnify3X1,   &Tfrmmain::Magnify4X1,
    &Tfrmmain::Magnify5X1,   &Tfrmmain::Magnify6X1,  &Tfrmmain::Magnify8X1,   &Tfrmmain::Magnify10X1,
    &Tfrmmain::Magnify12X1,  &Tfrmmain::Magnify16x1, &Tfrmmain::Magnify20x1,  &Tfrmmain::Magnify24x1,
    &Tfrmmain::Magnify28x1,  &Tfrmmain::Magnify32x1, &Tfrmmain::Magnify36x1,  &Tfrmmain::Magnify40x1,
    &Tfrmmain::Magnify075X1, &Tfrmmain::Magnify05X1, &Tfrmmain::Magnify025X1,
};

}  // namespace

int ZoomIndexOf(int factor) {
  for (size_t i = 0; i < ZoomLevels.size(); ++i) {
    if (static_cast<double>(ZoomLevels[i]) == factor) return static_cast<int>(i);
  }
  return kNoSelection;
}

void Tfrmmain::cbxZoomLevelChange() {
  const int i = cbxZoomLevel.ItemIndex;
  const float z = (i >= 0 && i <= kLastZoomIndex) ? ZoomLevels[static_cast<size_t>(i)] : 1.0f;
  FImageView->SetZoom(z);
  AboutGlimmerlux1.Tag = i;
  setzoomchecked();
}

void Tfrmmain::Magnify1X1Click(TMenuItem& Sender) {
  const int index = ZoomIndexOf(Sender.Tag);
  AboutGlimmerlux1.Tag = index;
  FImageView->SetZoom(static_cast<float>(Sender.Tag));
  cbxZoomLevel.ItemIndex = index;
  setzoomchecked();
}

void Tfrmmain::Magnify075X1Click() { SelectListedZoom(16); }

void Tfrmmain::Magnify05X1Click() { SelectListedZoom(17); }

void Tfrmmain::Magnify025X1Click() { SelectListedZoom(18); }

void Tfrmmain::SelectListedZoom(int index) {
  FImageView->SetZoom(ZoomLevels[static_cast<size_t>(index)]);
  cbxZoomLevel.ItemIndex = index;
  AboutGlimmerlux1.Tag = index;
  setzoomchecked();
}

void Tfrmmain::setzoomchecked() {
  const double zoom = FImageView->Zoom();
  for (size_t i = 0; i < kZoomItems.size(); ++i) {
    (this->*kZoomItems[i]).Checked = zoom == static_cast<double>(ZoomLevels[i]);
  }
  PanelChanged();
}

bool Tfrmmain::ApplicationEvents1Message(uint32_t message, uintptr_t wParam) {
  if (message != kMouseWheelMessage) return false;
  const auto distance = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
  int& index = cbxZoomLevel.ItemIndex;
  if (distance > 0) {
    if (index < kLastZoomIndex) ++index;
  } else if (index > 0) {
    --index;
  }
  cbxZoomLevelChange();
  return true;
}
