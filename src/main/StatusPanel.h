#pragma once

#include <functional>
#include <string>

#include "base/Geometry.h"

// System colors as colour constants; the host resolves them.
inline constexpr ColorRef clHighlightText = 0xFF00000E;
inline constexpr ColorRef clWindowText = 0xFF000008;
inline constexpr ColorRef clBtnText = 0xFF000012;
inline constexpr ColorRef clWhite = 0xFFFFFF;
inline constexpr ColorRef clBlack = 0x000000;
inline constexpr ColorRef clYellow = 0x00FFFF;
inline constexpr ColorRef kPanelGrey = 0x5F5F5F;

// What the host shows of a status panel control; the core only writes these and the host
// copies them onto the real controls after each change.
struct PanelButton {
  bool Visible = true;
};

// A button that stays pressed while its option is on.
struct ToggleButton {
  bool Visible = true;
  bool Down = false;
};

struct StatusLabel {
  std::string Caption;
  ColorRef FontColor = clHighlightText;
  bool Visible = true;
};

struct ColorSwatch {
  std::string Caption = "Color";
  ColorRef Color = 0xFF00000F;  // button face until the first sample
  ColorRef FontColor = clWindowText;
  bool Visible = true;
};

struct ZoomList {
  int ItemIndex = 1;
  bool Visible = true;
};

struct Panel {
  bool Visible = true;
  // In physical pixels; the host scales the designed 29 for the monitor.
  int Height = 29;
  ColorRef Color = kPanelGrey;
};

// The window's outer width (in designed pixels) from which each control still fits.
inline constexpr int kPositionMinWidth = 480;
inline constexpr int kColorMinWidth = 370;
inline constexpr int kTypeButtonMinWidth = 200;
inline constexpr int kOptionsButtonMinWidth = 173;

// The status panel along the bottom of the main window: what its controls show, and what the
// user does with them. The host reads the controls after `OnChanged` and reports the user's
// actions through the methods below.
class StatusPanel {
 public:
  Panel Panel1;
  ZoomList cbxZoomLevel;
  ToggleButton btnType;
  StatusLabel lblColor{"Color"};
  ColorSwatch pnlColor;
  StatusLabel lblPosition{"Position :"};
  PanelButton btnOptions;
  PanelButton btnClose;

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
