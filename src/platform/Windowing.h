#pragma once

#include <cstdint>

#include "base/Geometry.h"

// An opaque window handle as the platform hands it out; 0 is "no window".
using WindowId = uintptr_t;

// Top-level windows, their repaints and their timers.
class Windowing {
 public:
  virtual ~Windowing() = default;

  // The top-level window under a desktop point, or 0.
  virtual WindowId RootWindowFromPoint(Point p) = 0;
  virtual Rect WindowRect(WindowId window) = 0;
  // Two separate position changes of a top-level window; its size stays.
  virtual void SetWindowLeft(WindowId window, int left) = 0;
  virtual void SetWindowTop(WindowId window, int top) = 0;

  // Asks for an asynchronous repaint of the whole window.
  virtual void Invalidate(WindowId window) = 0;
  virtual void InvalidateArea(WindowId window, const Rect& area) = 0;

  // Ticks arrive as the window's timer messages with `id`.
  virtual void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) = 0;
  virtual void StopTimer(WindowId window, uintptr_t id) = 0;
};
