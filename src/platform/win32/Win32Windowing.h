#pragma once

#include "platform/Windowing.h"

class Win32Windowing final : public Windowing {
 public:
  WindowId RootWindowFromPoint(Point p) override;
  Rect WindowRect(WindowId window) override;
  void SetWindowLeft(WindowId window, int left) override;
  void SetWindowTop(WindowId window, int top) override;
  void Invalidate(WindowId window) override;
  void InvalidateArea(WindowId window, const Rect& area) override;
  void StartTimer(WindowId window, uintptr_t id, uint32_t intervalMs) override;
  void StopTimer(WindowId window, uintptr_t id) override;
};
