#pragma once

#include "base/Bitmap.h"
#include "base/Mirror.h"
#include "view/CursorOverlay.h"
#include "view/FrameComposer.h"
#include "view/FrameMemory.h"
#include "view/GridPlan.h"
#include "view/VwImage.h"

// What the view composes its frames with, kept out of VwImage.h: only the view's own sources
// include this.
struct TCustomImageView::Pipeline {
  explicit Pipeline(SurfaceFactory& surfaces) : frames_(surfaces), cursor_(surfaces) {}

  FrameMemory frames_;
  FrameComposer composer_;
  GridPlan grid_;
  CursorOverlay cursor_;
  // The scaled path mirrors while it scales, so its overlays are drawn where the flips would
  // put them.
  Mirror overlayMirror_;
};
