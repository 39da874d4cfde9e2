#pragma once

#include <functional>
#include <string>

#include "base/Colors.h"
#include "base/Geometry.h"

inline constexpr TColor kPanelGrey = 0x5F5F5F;

// What the host shows of a status panel control; the core only writes these and the host
// copies them onto the real controls after each change.
struct TPanelControl {
  bool Visible = true;
};

// A button that stays pressed while its option is on.
struct TToggleButton {
  bool Visible = true;
  bool Down = false;
};

struct TStatusLabel {
  std::string Caption;
  TColor FontColor = clHighlightText;
  bool Visible = true;
};

struct TColorSwatch {
  std::string Caption = "Color";
  TColor Color = 0xFF00000F;  // button face until the first sample
  TColor FontColor = clWindowText;
  bool Visible = true;
};

struct TZoomList {
  int ItemIndex = 1;
  bool Visible = true;
};

struct TPanel {
  bool Visible = true;
  // In physical pixels; the host scales the designed 29 for the monitor.
  int Height = 29;
  TColor Color = kPanelGrey;
};

// The window's outer width (in designed pixels) from which each control still fits.
inline constexpr int kPositionMinWidth = 480;
inline constexpr int kColorMinWidth = 370;
inline constexpr int kTypeButtonMinWidth = 200;
inline constexpr int kOptionsButtonMinWidth = 173;

// The status panel along the bottom of the main window: what its controls show, and what the
// user does with them. The host reads the controls after `OnChanged` and reports the user's
// actions through the methods below.
class TStatusPanel {
 public:
  TPanel Panel1;
  TZoomList cbxZoomLevel;
  TToggleButton btnType;
  TStatusLabel lblColor{"Color"};
  TColorSwatch pnlColor;
  TStatusLabel lblPosition{"Position :"};
  TPanelControl btnOptions;
  TPanelControl btnClose;

  // Hides the controls that no longer fit; `outerWidth` in designed pixels.
  void FormResize(int outerWidth);
  // The panel's height in physical pixels, which the host scales for the monitor.
  void SetPanelHeight(int height) { Panel1.Height = height; }
  // The user picked a zoom level from the list.
  void ZoomListPicked(int index);
  // A left press on the panel's own background, which moves the window as the picture does.
  void BackgroundPressed() {
    if (OnBackgroundPress) OnBackgroundPress();
  }
  // The user clicked the follow-caret button.
  void FollowCaretButtonClicked() {
    if (OnFollowCaretClick) OnFollowCaretClick();
  }
  // The user clicked the close button.
  void CloseButtonClicked() {
    if (OnCloseClick) OnCloseClick();
  }

  // Something the host shows changed.
  void Changed() {
    if (OnChanged) OnChanged();
  }
  std::function<void()> OnChanged;
  std::function<void()> OnZoomListChange;
  std::function<void()> OnFollowCaretClick;
  std::function<void()> OnBackgroundPress;
  std::function<void()> OnCloseClick;
};
