#include "view/GridPlan.h"

#include <algorithm>

#include "base/Arith.h"
#include "view/ContrastPen.h"

int GridStep(int spacing, double zoom) {
  constexpr double kWidestStep = 1 << 30;
  return spacing > 0 ? Round(std::min(spacing * zoom, kWidestStep)) : 0;
}

// Line i of n + 1 source columns (rows likewise) sits at Round(i z) less the fixed grid's
// offset, shifted so that the tracked column's line falls where the view's middle would: the
// same family at any tracked pixel, moving with it unless the grid is fixed.
bool GridPlan::Plan(const GridSettings& s, int frameWidth, int frameHeight, Mirror mirror) {
  const int G = s.gridlevel;
  const double z = s.zoom;
  // A spacing below one frame pixel has no lines to draw; the shift would divide by zero.
  const int step = GridStep(G, z);
  if (step == 0) return false;
  const int w = std::max(frameWidth, 0);
  const int h = std::max(frameHeight, 0);
  mirror_ = mirror;

  lineRows_.assign(static_cast<size_t>(h), 0);
  const int offY = s.fixed ? s.screen.y % G : 0;
  const int shiftY = (Round(s.tracked.y * z) - s.viewHeight / 2) % step;
  for (int j = 0, rows = Round(s.areaHeight / z); j <= rows; ++j) {
    if ((j - s.tracked.y) % G != 0) continue;
    const int y = Round(j * z) - Round(offY * z) - shiftY;
    if (y >= 0 && y < h) lineRows_[static_cast<size_t>(y)] = 1;
  }
  columnsBottom_ = std::clamp(s.areaHeight, 0, h);

  // Mirrored across, the run [0, right) becomes [w - right, w).
  const int lineRight = std::clamp(s.areaWidth, 0, w);
  lineFrom_ = mirror.horizontal ? w - lineRight : 0;
  lineTo_ = lineFrom_ + lineRight;

  const int offX = s.fixed ? s.screen.x % G : 0;
  const int shiftX = (Round(s.tracked.x * z) - s.viewWidth / 2) % step;
  columns_.clear();
  besideLines_.clear();
  int lastX = -1;
  for (int i = 0, columns = Round(s.areaWidth / z); i <= columns; ++i) {
    if ((i - s.tracked.x) % G != 0) continue;
    // Below a zoom of one, two lines can round to the same column; it is drawn once.
    const int x = Round(i * z) - Round(offX * z) - shiftX;
    if (x < 0 || x >= w || x == lastX) continue;
    lastX = x;
    const int at = mirror.X(x, w);
    columns_.push_back(at);
    if (at < lineFrom_ || at >= lineTo_) besideLines_.push_back(at);
  }
  return true;
}

GridPlan::Row GridPlan::RowAt(int y) const {
  const int line = mirror_.Y(y, static_cast<int>(lineRows_.size()));
  if (lineRows_[static_cast<size_t>(line)]) return Row::kLine;
  return line < columnsBottom_ ? Row::kColumns : Row::kNone;
}

bool GridPlan::Covers(int left, int right) const {
  return lineFrom_ == left && lineTo_ == right &&
         std::all_of(columns_.begin(), columns_.end(), [&](int x) { return x >= left && x < right; });
}

// Row by row rather than line by line: a column walk would touch every cache line of the
// picture once per line, and the scaled paint draws each row as soon as it is scaled.
void GridPlan::DrawRow(uint32_t* row, int y) const {
  const int line = mirror_.Y(y, static_cast<int>(lineRows_.size()));
  const bool columns = line < columnsBottom_;
  if (lineRows_[static_cast<size_t>(line)]) {
    ContrastRun(row + lineFrom_, lineTo_ - lineFrom_);
    // A border makes the horizontal lines shorter than the frame is wide.
    if (columns) ContrastColumns(row, besideLines_.data(), static_cast<int>(besideLines_.size()));
  } else if (columns) {
    ContrastColumns(row, columns_.data(), static_cast<int>(columns_.size()));
  }
}
