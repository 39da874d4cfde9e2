#pragma once

#include <cstdint>
#include <functional>

#include "base/Geometry.h"
#include "main/OntoMonitor.h"
#include "main/OptionOwner.h"
#include "main/StatusPanel.h"
#include "platform/Monitors.h"
#include "platform/WindowFrame.h"
#include "platform/Windowing.h"
#include "view/MouseButton.h"

class Monitors;
class TCustomImageView;
class StatusPanel;
class WindowFrame;

// The main window's style as created: a pop-up whose caption is gone (a caption needs both the
// border and the dialog frame) while the sizing frame and system menu stay until hidden.
uint32_t CreateParams(uint32_t style);

// How close (in pixels) a moved window's edge comes to its work area's edge before it snaps.
inline constexpr int kScreenSnapDistance = 10;
// Where a window moved to `moved` goes: each edge closer than the snap distance to the same
// edge of `workArea` lies on it; the size never changes.
Rect SnapToWorkArea(const Rect& moved, const Rect& workArea);

// The frame and placement of the main window: title bar, stay on top, translucency, the
// default size and the status panel switch.
class WindowChrome : public OptionOwner {
 public:
  WindowChrome(WindowFrame& frame, Windowing& windows, Monitors& monitors, const WindowId& window,
               TCustomImageView& view, StatusPanel& panel, std::function<void()> writeSettings)
      : frame_(frame),
        windows_(windows),
        monitors_(monitors),
        window_(window),
        view_(view),
        panel_(panel),
        writeSettings_(std::move(writeSettings)) {}

  // The opacity while transparency is on; only the low 8 bits count.
  int Transparency = 160;

  void Showtitlebar();
  void Hidetitlebar();
  bool TitleShown() const { return showtitle; }
  bool StayOnTop() const { return stayOnTop_; }
  bool Transparent() const { return transparent_; }
  bool PanelShown() const { return panel_.Panel1.Visible; }
  // Shows or hides the title bar as stored; every show of the window starts from it.
  void RestoreTitlebar(bool shown);
  // The double click on the picture and "Show/Hide Title Bar".
  void ImageView1DblClick();

  void SetWindowOpacity(WindowId window, uint8_t alpha);
  void SetTransparency();
  // A translucency asked for at start ("/transparent:"): taken at once if transparency is on.
  void SetTransparencyLevel(int32_t alpha) {
    Transparency = alpha;
    SetTransparency();
  }
  void MakeWindowTransparent1Click();
  void SetStayOnTop(bool OnTop);
  void StayOnTop1Click();
  void Setdefaultwindowsize1Click();
  void ShowPanel1Click();
  // A press on the picture or the panel's background: the left button moves the window.
  void ImageView1MouseDown(MouseButton Button);
  // After a change of resolution or of the monitors: a window whose centre no longer lies on
  // any monitor moves onto the nearest one, so it can be seen and reached again.
  void KeepOnAMonitor();

  void AddSettings(SettingsLists& lists) override;
  void FormShow(SettingsStore& store) override;

 private:
  void SetTitleBarStyles(bool on, ColorRef borderColor);

  WindowFrame& frame_;
  Windowing& windows_;
  Monitors& monitors_;
  const WindowId& window_;
  TCustomImageView& view_;
  StatusPanel& panel_;
  std::function<void()> writeSettings_;
  bool showtitle = false;
  bool stayOnTop_ = false;
  bool transparent_ = false;
  // The window's whole-window blending, which acts only when it changes.
  bool alphaBlend_ = false;
  uint8_t alphaBlendValue_ = 255;
};
