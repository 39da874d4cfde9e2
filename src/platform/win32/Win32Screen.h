#pragma once

#include <windows.h>

#include "platform/Screen.h"
#include "platform/win32/DibSurface.h"
#include "platform/win32/Handles.h"

class Win32Screen final : public Screen {
 public:
  Win32Screen();

  TRect VirtualScreen() override;
  bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, TPoint at, int size) override;
  bool CursorPos(TPoint& pos) override;
  bool ControlKeyDown() override;

  // The screen DC kept for capture is made anew for the new display layout.
  void DisplayChanged() { screen_.Reset(); }

 private:
  // For targets whose pixels GDI cannot reach: a DIB the size of `area`, optionally
  // holding a copy of those pixels of `from`; Unstage copies the result back.
  HDC Stage(const RECT& area, const Bitmap* from);
  void Unstage(Bitmap& to, const RECT& area);

  DibSurfaceFactory dibs_;
  // Kept rather than taken with GetDC per frame: under Wine every ReleaseDC resets the DC's
  // font, and each reset rereads the X resources from disk.
  DeviceDc screen_;
  // Only for targets whose pixels GDI cannot reach directly.
  Bitmap staging_;
};
