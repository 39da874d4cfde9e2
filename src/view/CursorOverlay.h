#pragma once

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "base/Mirror.h"
#include "platform/Screen.h"

// Where the cursor image goes on a picture scaled by f.
struct CursorPlacement {
  CursorImage cursor;
  Point at;
  int size = 0;
};

// The mouse cursor over the picture, drawn by the platform and mirrored with the picture.
class CursorOverlay {
 public:
  explicit CursorOverlay(SurfaceFactory& surfaces) : patch_(surfaces) {}

  // For tracked pixel `tracked` on a picture scaled by f; false when there is no cursor.
  static bool Place(Screen& screen, Point tracked, double f, CursorPlacement& placement);
  void Draw(Screen& screen, Bitmap& bitmap, const CursorPlacement& placement, Mirror mirror);

 private:
  // The pixels under a mirrored cursor, the right way round.
  Bitmap patch_;
};
