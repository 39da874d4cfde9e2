#pragma once

#include "platform/Platform.h"

namespace bench {

// A desktop held in memory and copied row by row, as a screen copy into a bitmap would be;
// the cursor is a white arrow with a black edge, drawn pixel by pixel at any size.
class MemoryDesktop : public Platform {
 public:
  MemoryDesktop(int width, int height);

  Bitmap screen;

  TRect VirtualScreen(WindowId) override { return {0, 0, screen.Width(), screen.Height()}; }
  bool CaptureDesktop(const TRect& source, Bitmap& target, TPoint at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, TPoint at, int size) override;
  bool CursorPos(TPoint& pos) override;
  bool ControlKeyDown() override { return false; }
  WindowId RootWindowFromPoint(TPoint) override { return 0; }
  TRect WindowRect(WindowId) override { return {}; }
  void Invalidate(WindowId) override {}
  void InvalidateArea(WindowId, const TRect&) override {}
  void StartTimer(WindowId, uintptr_t, uint32_t) override {}
  void StopTimer(WindowId, uintptr_t) override {}
  bool EmptyClipboard() override { return false; }
  bool SetClipboardBitmap(const Bitmap&) override { return false; }
};

}  // namespace bench
