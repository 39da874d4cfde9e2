#pragma once

#include "platform/WindowFrame.h"

class Win32WindowFrame final : public WindowFrame {
 public:
  uint32_t Style(WindowId window) override;
  void SetStyle(WindowId window, uint32_t style) override;
  uint32_t ExStyle(WindowId window) override;
  void SetExStyle(WindowId window, uint32_t style) override;
  void FrameChanged(WindowId window) override;
  void SetCaption(WindowId window, const std::string& caption) override;
  void RedrawAll(WindowId window) override;
  bool SetLayeredOpacity(WindowId window, uint8_t alpha) override;
  void SetTopmost(WindowId window, bool topmost, const Rect& bounds) override;
  void SetBounds(WindowId window, const Rect& bounds) override;
  void BeginMoveByPointer(WindowId window) override;
  bool IsVisible(WindowId window) override;
  bool GetPlacement(WindowId window, WindowPlacement& placement) override;
  void SetPlacement(WindowId window, const WindowPlacement& placement) override;
};
