#pragma once

#include <cstdint>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "base/Mirror.h"
#include "view/ContrastPen.h"
#include "view/GridPlan.h"
#include "view/Scaler.h"
#include "view/ViewOptions.h"

// What one scaled frame shows, as the view works it out.
struct FrameRecipe {
  Point at;  // where the picture's top-left pixel goes, before mirroring
  float zoom = 1;
  bool smooth = false;
  Mirror mirror;
  TColorFilterMode filter = cfNone;
  SimulatedVision simulation;      // after the filter; the commands keep only one of them on
  uint32_t around = 0;             // the pixel around the picture
  const GridPlan* grid = nullptr;  // planned for this frame, or no grid
  // Frame rows [cursorTop, cursorBottom), before mirroring, lie under the cursor, which goes
  // on after the picture: their grid waits for it.
  int cursorTop = 0;
  int cursorBottom = 0;
};

// Puts a scaled frame together row by row: each source row is filtered just before the scaler
// reads it, and each frame row gets its grid just after the scaler writes it, while both are
// in cache, instead of pass after pass over whole bitmaps.
class FrameComposer : private ScaleRowWork {
 public:
  // The frame's pixels around the picture, then the picture, filtered and scaled from `source`
  // (which is filtered in place), with the grid on every row but those under the cursor.
  void Compose(Bitmap& source, Bitmap& frame, const FrameRecipe& recipe);
  // Then, once the cursor is drawn: the grid on the rows under it.
  void GridUnderCursor();

 private:
  void SourceRow(int y) override;
  void SourceSpan(int y, int from, int to, Ready ready, void* context) override;
  void TargetRow(int y, int copyOf) override;
  bool WorksOnDoubledRows() override { return gridWhileScaling_; }
  void PlanDoubled(DoubledRows& rows) override;
  void Doubled(const DoubledRows& rows, const uint32_t* source, uint32_t* const (&target)[2]) override;
  // Whether frame row y gets its grid only after the cursor.
  bool WaitsForCursor(int y) const;
  // The filter and the simulation on row y of `bitmap`, columns [left, right) inside it.
  void Recolor(Bitmap& bitmap, int y, int left, int right) const;
  // At zoom 2 with the grid inside the picture, the scaler's doubled rows take the pen from
  // the source row: which source pixel each vertical line's pixel shows.
  void PickPen(const Bitmap& source);

  Scaler scaler_;
  // The frame in progress.
  Bitmap* source_ = nullptr;
  Bitmap* frame_ = nullptr;
  FrameRecipe recipe_;
  Rect picture_;  // mirrors applied
  bool filterSource_ = false;
  bool filterPicture_ = false;
  bool gridWhileScaling_ = false;  // the doubled rows take their grid from the source row
  int waitTop_ = 0;
  int waitBottom_ = 0;
  // Per frame row: 0 not handed over yet, 1 handed over, 2 with its grid drawn from the source.
  std::vector<uint8_t> rowsDone_;
  std::vector<PenPick> penPicks_;
  std::vector<uint32_t> penRow_;  // the pen's colors of a source row
};
