#pragma once

#include "fake/FakeScreen.h"

namespace bench {

// The test fake, with a desktop copied row by row as a screen copy into a bitmap would be, and
// a cursor drawn as a white arrow with a black edge at any size.
class MemoryDesktop : public FakeScreen {
 public:
  MemoryDesktop(int width, int height);

  Rect VirtualScreen() override { return {0, 0, pixels.Width(), pixels.Height()}; }
  bool CaptureDesktop(const Rect& source, Bitmap& target, Point at) override;
  bool CurrentCursor(CursorImage& cursor) override;
  bool DrawCursorImage(Bitmap& target, const CursorImage& cursor, Point at, int size) override;
};

}  // namespace bench
