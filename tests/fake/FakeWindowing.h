#pragma once

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "platform/Windowing.h"

// Windows as rectangles; repaints, timers and moves are recorded.
class FakeWindowing : public Windowing {
 public:
  std::map<WindowId, Rect> windowRects;
  std::function<WindowId(Point)> rootWindowAt = [](Point) { return WindowId{0}; };

  std::map<WindowId, int> invalidations;
  std::vector<std::pair<WindowId, Rect>> invalidatedAreas;
  struct TimerState {
    uint32_t interval;
    bool running;
  };
  std::map<std::pair<WindowId, uintptr_t>, TimerState> timers;

  struct WindowMove {
    WindowId window;
    char edge;  // 'L' or 'T'
    int to;
    friend bool operator==(const WindowMove&, const WindowMove&) = default;
  };
  std::vector<WindowMove> windowMoves;

  WindowId RootWindowFromPoint(Point p) override { return rootWindowAt(p); }
  Rect WindowRect(WindowId window) override;
  void SetWindowLeft(WindowId window, int left) override;
  void SetWindowTop(WindowId window, int top) override;
  void Invalidate(WindowId window) override { ++invalidations[window]; }
  void InvalidateArea(WindowId window, const Rect& area) override { invalidatedAreas.emplace_back(window, area); }
  void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) override {
    timers[{window, id}] = {intervalMs, true};
  }
  void StopTimer(WindowId window, uintptr_t id) override { timers[{window, id}].running = false; }
};
