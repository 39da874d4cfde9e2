#pragma once

#include <array>
#include <functional>

#include "main/MenuItems.h"
#include "main/StatusPanel.h"
#include "view/VwImage.h"

// The zoom factors in the order of the zoom list and the Zoom Level submenu.
inline constexpr std::array<float, 19> ZoomLevels = {1,  2,  3,  4,  5,  6,  8,     10,   12,   16,
                                                     20, 24, 28, 32, 36, 40, 0.75f, 0.5f, 0.25f};

// The list's captions, which the submenu shares; UTF-8 with the multiplication sign.
inline constexpr std::array<const char*, ZoomLevels.size()> kZoomCaptions = {
    "Zoom 1\u00D7",  "Zoom 2\u00D7",    "Zoom 3\u00D7",   "Zoom 4\u00D7",    "Zoom 5\u00D7",
    "Zoom 6\u00D7",  "Zoom 8\u00D7",    "Zoom 10\u00D7",  "Zoom 12\u00D7",   "Zoom 16\u00D7",
    "Zoom 20\u00D7", "Zoom 24\u00D7",   "Zoom 28\u00D7",  "Zoom 32\u00D7",   "Zoom 36\u00D7",
    "Zoom 40\u00D7", "Zoom 0.75\u00D7", "Zoom 0.5\u00D7", "Zoom 0.25\u00D7",
};

// The list index of an integer factor, or -1.
int ZoomIndexOf(int factor);

// One notch of the mouse wheel, decoded where the message arrives: positive away from the user.
struct MouseWheel {
  int delta = 0;
};

// Keeps the zoom list, the Zoom Level submenu and the view's zoom in step.
class ZoomSelection {
 public:
  ZoomSelection(TCustomImageView& view, StatusPanel& panel, TMainMenuItems& items, std::function<void()> writeSettings)
      : view_(view), panel_(panel), items_(items), writeSettings_(std::move(writeSettings)) {}

  void cbxZoomLevelChange();
  // The integer levels; the sender's Tag is the factor.
  void Magnify1X1Click(TMenuItem& Sender);
  // The fractional levels: the list entry, the recorded index and the check marks follow the zoom.
  void SelectListedZoom(int index);
  void setzoomchecked();
  // Away from the user zooms in one level, towards the user out one.
  void WheelStep(MouseWheel wheel);

 private:
  TCustomImageView& view_;
  StatusPanel& panel_;
  TMainMenuItems& items_;
  std::function<void()> writeSettings_;
};
