#pragma once

#include <array>
#include <functional>

#include "main/MouseWheel.h"
#include "main/OptionOwner.h"
#include "main/StatusPanel.h"
#include "view/VwImage.h"

class TCustomImageView;
class StatusPanel;

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

// Keeps the zoom list, the Zoom Level submenu and the view's zoom in step.
class ZoomSelection : public OptionOwner {
 public:
  ZoomSelection(TCustomImageView& view, StatusPanel& panel, std::function<void()> writeSettings)
      : view_(view), panel_(panel), writeSettings_(std::move(writeSettings)) {}

  void cbxZoomLevelChange();
  // The integer levels by their factor.
  void Magnify1X1Click(int factor);
  // The fractional levels by their list index: the list entry and the recorded index follow.
  void SelectListedZoom(int index);
  // Away from the user zooms in one level, towards the user out one.
  void WheelStep(MouseWheel wheel);

  // A level's check mark: the view's zoom is exactly its factor.
  bool ShowsFactor(double factor) const { return static_cast<double>(view_.Zoom()) == factor; }
  // The index of the level chosen last, -1 for none; stored, never read back.
  int RecordedIndex() const { return recordedIndex_; }

  void AddSettings(SettingsLists& lists) override;
  void FormShow(SettingsStore& store) override;

 private:
  TCustomImageView& view_;
  StatusPanel& panel_;
  std::function<void()> writeSettings_;
  int recordedIndex_ = 0;
};
