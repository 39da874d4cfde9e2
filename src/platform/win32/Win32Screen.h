#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/Screen.h"
#include "platform/win32/Handles.h"

// Draws only into bitmaps made by DibSurfaceFactory, whose pixels GDI reaches directly.
class Win32Screen final : public Screen {
 public:
  Rect VirtualScreen() override;
  bool CaptureDesktop(const Rect& source, Bitmap& target, Point at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, Point at, int size) override;
  int PixelsPerInch() override;
  bool CursorPos(Point& pos) override;
  bool MoveCursorTo(Point pos) override;
  bool ControlKeyDown() override;

  // The screen DC kept for capture is made anew for the new display layout, and the desktop's
  // bounds and the cursor (whose size follows the DPI) are read anew.
  void DisplayChanged() {
    screen_.reset();
    virtualScreen_.reset();
    monitors_.reset();
    lastCursor_.reset();
  }
  // A new pointer scheme or size, or a new DPI, keeps the system cursors' handles but moves
  // their hot spots.
  void CursorsChanged() { lastCursor_.reset(); }

 private:
  // Every monitor's bounds, which the capture keeps to.
  const std::vector<RECT>& MonitorBounds();

  // A reading kept until a time on the tick count.
  template <typename T>
  struct Kept {
    std::optional<T> value;
    ULONGLONG until = 0;
    void reset() { value.reset(); }
  };

  // Kept rather than taken with GetDC per frame: under Wine every ReleaseDC resets the DC's
  // font, and each reset rereads the X resources from disk.
  std::optional<WindowDc> screen_;
  // Every frame asks for these several times, and under Wine each reading costs server round
  // trips (GetIconInfo also makes and deletes two bitmaps). They are forgotten on the messages
  // that announce a change and in any case after a second, for a change that comes without one
  // (SetSystemCursor keeps the handle; a broadcast skips a window that seems hung).
  Kept<Rect> virtualScreen_;
  Kept<std::vector<RECT>> monitors_;
  // The parts of one capture that lie on a monitor; kept so that a frame allocates nothing.
  std::vector<RECT> pieces_;
  Kept<CursorImage> lastCursor_;
};
