#include "main/PanelLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kDesignedPanelHeight = 29;
// The panel's controls were laid out for this client width.
constexpr int kDesignedPanelWidth = 468;
constexpr int kDesignedMinimumSize = 150;
constexpr int kZoomLevels = 19;
constexpr int kZoomListItemHeight = 18;

struct DesignedPlace {
  int left, top, width, height;
  bool rightAnchored;
};

// In PanelControl order. The position label's width is whatever the settings button leaves it.
constexpr DesignedPlace kPlaces[] = {
    {5, 3, 84, 23, false},  {91, 2, 25, 25, false}, {144, 7, 33, 15, false}, {179, 5, 122, 20, false},
    {306, 7, 0, 15, false}, {413, 2, 25, 25, true}, {439, 2, 25, 25, true},
};

int64_t MulDiv(int64_t value, int64_t numerator, int64_t denominator) {
  const int64_t product = value * numerator;
  const int64_t half = denominator / 2;
  return product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
}

}  // namespace

int ScaleToDpi(int designed, int dpi) { return static_cast<int>(MulDiv(designed, dpi, kDesignedDpi)); }

int DesignedWidth(int physical, int dpi) {
  return dpi > 0 ? static_cast<int>(MulDiv(physical, kDesignedDpi, dpi)) : physical;
}

Rect PanelControlRect(PanelControl control, int panelWidth, int dpi) {
  const DesignedPlace& place = kPlaces[static_cast<int>(control)];
  const int left = place.rightAnchored ? panelWidth - ScaleToDpi(kDesignedPanelWidth - place.left, dpi)
                                       : ScaleToDpi(place.left, dpi);
  const int top = ScaleToDpi(place.top, dpi);
  Rect r{left, top, left + ScaleToDpi(place.width, dpi), top + ScaleToDpi(place.height, dpi)};
  if (control == PanelControl::PositionLabel) {
    const Rect options = PanelControlRect(PanelControl::OptionsButton, panelWidth, dpi);
    r.right = std::max(r.left, options.left - ScaleToDpi(2, dpi));
  }
  return r;
}

int PanelHeight(int dpi) { return ScaleToDpi(kDesignedPanelHeight, dpi); }

int ZoomListDropHeight(int dpi) { return ScaleToDpi(23 + kZoomLevels * kZoomListItemHeight, dpi); }

int MinimumOuterSize(int dpi) { return ScaleToDpi(kDesignedMinimumSize, dpi); }
