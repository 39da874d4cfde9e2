#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/WindowFrame.h"

// Window frames as numbers; every call that acts on the desktop is recorded.
class FakeWindowFrame : public WindowFrame {
 public:
  std::map<WindowId, uint32_t> styles;
  std::map<WindowId, uint32_t> exStyles;
  int framesChanged = 0;
  int fullRedraws = 0;
  bool layeringWorks = true;
  std::map<WindowId, int> opacity;  // absent: never layered with an opacity
  struct Topmost {
    bool topmost;
    Rect bounds;
    friend bool operator==(const Topmost&, const Topmost&) = default;
  };
  std::vector<Topmost> topmostCalls;
  std::map<WindowId, Rect> bounds;
  int moveDrags = 0;

  uint32_t Style(WindowId window) override { return styles[window]; }
  void SetStyle(WindowId window, uint32_t style) override { styles[window] = style; }
  uint32_t ExStyle(WindowId window) override { return exStyles[window]; }
  void SetExStyle(WindowId window, uint32_t style) override { exStyles[window] = style; }
  void FrameChanged(WindowId) override { ++framesChanged; }
  std::map<WindowId, std::string> captions;
  void SetCaption(WindowId window, const std::string& caption) override { captions[window] = caption; }
  void RedrawAll(WindowId) override { ++fullRedraws; }
  bool SetLayeredOpacity(WindowId window, uint8_t alpha) override {
    if (!layeringWorks) return false;
    exStyles[window] |= kWsExLayered;
    opacity[window] = alpha;
    return true;
  }
  void SetTopmost(WindowId, bool topmost, const Rect& rect) override { topmostCalls.push_back({topmost, rect}); }
  void SetBounds(WindowId window, const Rect& rect) override { bounds[window] = rect; }
  void BeginMoveByPointer(WindowId) override { ++moveDrags; }

  bool visible = false;
  WindowPlacement placement{0, 1, {-1, -1}, {-1, -1}, {700, 400, 1176, 711}};
  std::vector<WindowPlacement> placementsSet;
  bool IsVisible(WindowId) override { return visible; }
  bool GetPlacement(WindowId, WindowPlacement& out) override {
    out = placement;
    return true;
  }
  void SetPlacement(WindowId, const WindowPlacement& value) override {
    placementsSet.push_back(value);
    placement = value;
  }
};
