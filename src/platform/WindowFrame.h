#pragma once

#include <cstdint>
#include <string>

#include "base/Geometry.h"
#include "platform/Windowing.h"

// Window-style bits as Windows numbers them; the core computes styles, the platform applies them.
inline constexpr uint32_t kWsPopup = 0x80000000u;
inline constexpr uint32_t kWsBorder = 0x00800000u;
inline constexpr uint32_t kWsDlgFrame = 0x00400000u;
inline constexpr uint32_t kWsSysMenu = 0x00080000u;
inline constexpr uint32_t kWsThickFrame = 0x00040000u;
// Caption, border, system menu and sizing frame.
inline constexpr uint32_t kTitleBarStyles = kWsBorder | kWsDlgFrame | kWsSysMenu | kWsThickFrame;
inline constexpr uint32_t kWsExLayered = 0x00080000u;

// Where a top-level window lies when normal, minimised and maximised, as the system keeps it.
struct WindowPlacement {
  uint32_t flags = 0;
  uint32_t showCommand = 0;  // as the system numbers them; kShowHidden keeps the window hidden
  Point minPosition;
  Point maxPosition;
  Rect normal;
  friend bool operator==(const WindowPlacement&, const WindowPlacement&) = default;
};
inline constexpr uint32_t kShowHidden = 0;

// A top-level window's frame: its styles, opacity, stacking and outer rectangle.
class WindowFrame {
 public:
  virtual ~WindowFrame() = default;

  virtual uint32_t Style(WindowId window) = 0;
  virtual void SetStyle(WindowId window, uint32_t style) = 0;
  virtual uint32_t ExStyle(WindowId window) = 0;
  virtual void SetExStyle(WindowId window, uint32_t style) = 0;
  // Recomputes the frame after a style change without moving, sizing or re-ordering.
  virtual void FrameChanged(WindowId window) = 0;
  // The title bar's text (UTF-8).
  virtual void SetCaption(WindowId window, const std::string& caption) = 0;
  // Redraws the window with its frame and all children.
  virtual void RedrawAll(WindowId window) = 0;

  // Makes the window layered with a constant opacity; false where the system cannot.
  virtual bool SetLayeredOpacity(WindowId window, uint8_t alpha) = 0;
  // Topmost or not, re-applying `bounds` and activating the window.
  virtual void SetTopmost(WindowId window, bool topmost, const Rect& bounds) = 0;
  virtual void SetBounds(WindowId window, const Rect& bounds) = 0;
  // Lets the window follow the pointer until the button is released, as a drag by its caption does.
  virtual void BeginMoveByPointer(WindowId window) = 0;

  virtual bool IsVisible(WindowId window) = 0;
  virtual bool GetPlacement(WindowId window, WindowPlacement& placement) = 0;
  virtual void SetPlacement(WindowId window, const WindowPlacement& placement) = 0;
};
