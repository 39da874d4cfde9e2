#include "main/WindowChrome.h"

#include <algorithm>

#include "base/Colors.h"
#include "main/OntoMonitor.h"
#include "main/StatusPanel.h"
#include "platform/Monitors.h"
#include "platform/WindowFrame.h"
#include "view/VwImage.h"

namespace {

constexpr ColorRef kNoFrameColor = 0x008000;  // any colour but silver: the view draws no frame
constexpr int kDefaultWidth = 480;
constexpr int kDefaultHeight = 320;

// The offset that puts the span [low, high) on the nearer of the two edges within reach.
int SnapShift(int low, int high, int edgeLow, int edgeHigh) {
  if (low - edgeLow < kScreenSnapDistance && edgeLow - low < kScreenSnapDistance) return edgeLow - low;
  if (high - edgeHigh < kScreenSnapDistance && edgeHigh - high < kScreenSnapDistance) return edgeHigh - high;
  return 0;
}

}  // namespace

uint32_t CreateParams(uint32_t style) { return (style | kWsPopup) & ~kWsDlgFrame; }

Rect SnapToWorkArea(const Rect& moved, const Rect& workArea) {
  const int dx = SnapShift(moved.left, moved.right, workArea.left, workArea.right);
  const int dy = SnapShift(moved.top, moved.bottom, workArea.top, workArea.bottom);
  return {moved.left + dx, moved.top + dy, moved.right + dx, moved.bottom + dy};
}

void WindowChrome::KeepOnAMonitor() {
  const Rect now = windows_.WindowRect(window_);
  const Point centre{static_cast<int32_t>((int64_t{now.left} + now.right) / 2),
                     static_cast<int32_t>((int64_t{now.top} + now.bottom) / 2)};
  if (monitors_.OnSomeMonitor(centre)) return;
  MonitorArea nearest;
  if (!monitors_.Nearest(centre, nearest)) return;
  frame_.SetBounds(window_, MoveOntoMonitor(now, nearest.bounds));
}

void WindowChrome::SetTitleBarStyles(bool on, ColorRef borderColor) {
  view_.SetBorderColor(borderColor);
  const uint32_t style = frame_.Style(window_);
  frame_.SetStyle(window_, on ? style | kTitleBarStyles : style & ~kTitleBarStyles);
  frame_.FrameChanged(window_);
}

void WindowChrome::Showtitlebar() { SetTitleBarStyles(true, kNoFrameColor); }

void WindowChrome::Hidetitlebar() { SetTitleBarStyles(false, clSilver); }

void WindowChrome::RestoreTitlebar(bool shown) {
  showtitle = shown;
  if (shown)
    Showtitlebar();
  else
    Hidetitlebar();
}

void WindowChrome::ImageView1DblClick() {
  if (showtitle)
    Hidetitlebar();
  else
    Showtitlebar();
  showtitle = !showtitle;
}

void WindowChrome::SetWindowOpacity(WindowId window, uint8_t alpha) {
  frame_.SetLayeredOpacity(window, alpha);
  // Every show makes the window opaque: translucency that is on must be applied again after it.
  if (window == window_) alphaBlendValue_ = alpha;
}

void WindowChrome::SetTransparency() {
  const bool on = transparent_;
  // Only the low byte counts, whatever sign the value has.
  const auto value = static_cast<uint8_t>(static_cast<uint32_t>(Transparency) & 0xFFu);
  if (on) {
    if (!alphaBlend_ || alphaBlendValue_ != value) frame_.SetLayeredOpacity(window_, value);
    alphaBlend_ = true;
    alphaBlendValue_ = value;
  } else if (alphaBlend_) {
    alphaBlend_ = false;
    frame_.SetExStyle(window_, frame_.ExStyle(window_) & ~kWsExLayered);
    frame_.RedrawAll(window_);
  }
}

void WindowChrome::MakeWindowTransparent1Click() {
  transparent_ = !transparent_;
  SetTransparency();
  writeSettings_();
}

void WindowChrome::SetStayOnTop(bool OnTop) { frame_.SetTopmost(window_, OnTop, windows_.WindowRect(window_)); }

void WindowChrome::StayOnTop1Click() {
  stayOnTop_ = !stayOnTop_;
  SetStayOnTop(stayOnTop_);
  writeSettings_();
}

void WindowChrome::Setdefaultwindowsize1Click() { frame_.SetBounds(window_, {0, 0, kDefaultWidth, kDefaultHeight}); }

void WindowChrome::ShowPanel1Click() {
  panel_.Panel1.Visible = !panel_.Panel1.Visible;
  view_.SetGetcolor(panel_.Panel1.Visible);
  panel_.Changed();
  writeSettings_();
}

void WindowChrome::ImageView1MouseDown(MouseButton Button) {
  // The right button belongs to the context menu.
  if (Button == MouseButton::Left) frame_.BeginMoveByPointer(window_);
}

void WindowChrome::AddSettings(SettingsLists& lists) {
  lists.written.push_back(WrittenFlag("Panel1_Visible", [this] { return panel_.Panel1.Visible; }));
  lists.written.push_back(WrittenFlag("MakeWindowTransparent1_Checked", [this] { return transparent_; }));
  lists.written.push_back(WrittenFlag("ShowTitlebar", [this] { return showtitle; }));
  lists.written.push_back(WrittenFlag("Stayontop1_Checked", [this] { return stayOnTop_; }));

  lists.formState.push_back(StoredFlag("Panel1_Visible", panel_.Panel1.Visible));
  lists.formState.push_back(StoredFlag("StayOnTop1_Checked", stayOnTop_));
  lists.formState.push_back(StoredFlag("MakeWindowTransparent1_Checked", transparent_));
}

void WindowChrome::FormShow(SettingsStore& store) {
  SetWindowOpacity(window_, 255);
  SetStayOnTop(stayOnTop_);
  view_.SetGetcolor(panel_.Panel1.Visible);
  SetTransparency();
  RestoreTitlebar(ReadString(store, "ShowTitlebar", "False") == "True");
}
