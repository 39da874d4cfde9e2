#pragma once

#include <cstdint>
#include <memory>

#include "base/Geometry.h"
#include "main/Timer.h"
#include "platform/Platform.h"
#include "view/VwImage.h"

// A menu command's state as the handlers see it.
struct TMenuItem {
  bool Checked = false;
  int Tag = 0;
};

// Timer identifiers on the main window.
inline constexpr uintptr_t kTimer1Id = 1;

// The main window's behaviour. The platform host creates the real window, forwards its
// messages here and lays the view out over the client area.
class Tfrmmain {
 public:
  Tfrmmain(Platform& platform, SurfaceFactory& surfaces = HeapSurfaces());
  ~Tfrmmain();
  Tfrmmain(const Tfrmmain&) = delete;
  Tfrmmain& operator=(const Tfrmmain&) = delete;

  // The host calls this once the window exists; the timer starts with it.
  void AttachWindow(WindowId handle);
  WindowId Handle() const { return FHandle; }

  // The tracking tick.
  void Timer1Timer();
  void MoveAwayFromPointer();
  bool GetCaretPosition(TPoint& caret);

  void CopyImagetoClipboard1Click();

  // The client area changed; returns where the view goes (what the status panel leaves).
  TRect ClientResized(int width, int height);

  TImageView& imageview1() { return *FImageView; }
  TTimer Timer1;

  int memX = 0;
  int memY = 0;
  bool followkey = false;
  int virtx = 0;
  int virty = 0;
  TMenuItem FixedLocation1;
  TMenuItem FlipwhenHovered1;
  // Set when the window is created; hiding to the tray leaves it set.
  bool Visible = true;

 private:
  void TrackingTick();

  Platform& FPlatform;
  std::unique_ptr<TImageView> FImageView;
  WindowId FHandle = 0;
};
