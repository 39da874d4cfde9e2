#pragma once

#include <windows.h>

#include <optional>

#include "platform/Screen.h"
#include "platform/win32/Handles.h"

// Draws only into bitmaps made by DibSurfaceFactory, whose pixels GDI reaches directly.
class Win32Screen final : public Screen {
 public:
  TRect VirtualScreen() override;
  bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, TPoint at, int size) override;
  int PixelsPerInch() override;
  bool CursorPos(TPoint& pos) override;
  bool MoveCursorTo(TPoint pos) override;
  bool ControlKeyDown() override;

  // The screen DC kept for capture is made anew for the new display layout, and the desktop's
  // bounds and the cursor (whose size follows the DPI) are read anew.
  void DisplayChanged() {
    screen_.Reset();
    virtualScreen_.reset();
    lastCursor_ = {};
  }
  // A new pointer scheme or size keeps the system cursors' handles but moves their hot spots.
  void SettingsChanged() { lastCursor_ = {}; }

 private:
  // Kept rather than taken with GetDC per frame: under Wine every ReleaseDC resets the DC's
  // font, and each reset rereads the X resources from disk.
  DeviceDc screen_;
  // Every frame asks for these several times; under Wine each reading costs server round trips,
  // and GetIconInfo makes and deletes two bitmaps. Both change only with a message that says so.
  std::optional<TRect> virtualScreen_;
  CursorImage lastCursor_;
};
