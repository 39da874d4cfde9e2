#include "main/WindowChrome.h"

#include <algorithm>

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

void WindowChrome::SetWindowOpacity(WindowId window, uint8_t alpha) { frame_.SetLayeredOpacity(window, alpha); }

void WindowChrome::SetTransparency() {
  const bool on = items_.MakeWindowTransparent1.Checked;
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
  items_.MakeWindowTransparent1.Checked = !items_.MakeWindowTransparent1.Checked;
  SetTransparency();
  writeSettings_();
}

void WindowChrome::SetStayOnTop(bool OnTop) { frame_.SetTopmost(window_, OnTop, windows_.WindowRect(window_)); }

void WindowChrome::StayOnTop1Click() {
  items_.StayOnTop1.Checked = !items_.StayOnTop1.Checked;
  SetStayOnTop(items_.StayOnTop1.Checked);
  writeSettings_();
}

void WindowChrome::Setdefaultwindowsize1Click() { frame_.SetBounds(window_, {0, 0, kDefaultWidth, kDefaultHeight}); }

void WindowChrome::ShowPanel1Click() {
  items_.ShowPanel1.Checked = !items_.ShowPanel1.Checked;
  panel_.Panel1.Visible = items_.ShowPanel1.Checked;
  view_.SetGetcolor(panel_.Panel1.Visible);
  panel_.Changed();
  writeSettings_();
}

void WindowChrome::ImageView1MouseDown(MouseButton Button) {
  // The right button belongs to the context menu.
  if (Button == MouseButton::Left) frame_.BeginMoveByPointer(window_);
}
