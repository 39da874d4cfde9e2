#include "view/FrameComposer.h"

#include <algorithm>

#include "base/Arith.h"

namespace {

enum RowDone : uint8_t { kNotYet, kHandedOver, kGridFromSource };

}  // namespace

void FrameComposer::Compose(Bitmap& source, Bitmap& frame, const FrameRecipe& recipe) {
  source_ = &source;
  frame_ = &frame;
  recipe_ = recipe;
  const int w = frame.Width();
  const int h = frame.Height();
  const double zoom = recipe.zoom;
  const Point at = recipe.at;
  picture_ =
      recipe.mirror.Box({at.x, at.y, at.x + Round(source.Width() * zoom), at.y + Round(source.Height() * zoom)}, w, h);
  // Only where the scaled picture will not land, so no pixel is written twice.
  frame.FillOutside(picture_, recipe.around);
  // Without smoothing every picture pixel is an unchanged copy of one source pixel, so when
  // shrinking the filter runs on the picture, which has fewer pixels, with the same result.
  const bool recolors = recipe.filter != cfNone || recipe.simulation.On();
  filterPicture_ = recolors && zoom < 1.0 && !recipe.smooth;
  filterSource_ = recolors && !filterPicture_;
  waitTop_ = std::clamp(recipe.cursorTop, 0, h);
  waitBottom_ = std::clamp(recipe.cursorBottom, waitTop_, h);
  const GridPlan* grid = recipe.grid;
  // The scaler writes only inside the picture: the lines must be too.
  gridWhileScaling_ = grid != nullptr && grid->Covers(std::max(picture_.left, 0), std::min(picture_.right, w));
  if (gridWhileScaling_) PickPen(source);
  if (grid != nullptr) rowsDone_.assign(static_cast<size_t>(h), kNotYet);

  scaler_.Scale(source, frame, at, recipe.zoom, recipe.smooth, recipe.mirror, this);

  if (grid != nullptr) {
    // Rows the scaler did not write: those around the picture. Not yet those under the cursor.
    for (int y = 0; y < h; ++y) {
      if (rowsDone_[static_cast<size_t>(y)] == kNotYet && !WaitsForCursor(y)) grid->DrawRow(frame.Row(y), y);
    }
  }
}

void FrameComposer::GridUnderCursor() {
  if (recipe_.grid == nullptr) return;
  const int h = frame_->Height();
  for (int y = waitTop_; y < waitBottom_; ++y) {
    const int row = recipe_.mirror.Y(y, h);
    recipe_.grid->DrawRow(frame_->Row(row), row);
  }
}

void FrameComposer::PickPen(const Bitmap& source) {
  penPicks_.clear();
  penRow_.resize(static_cast<size_t>(source.Width()));
  if (recipe_.zoom != 2.0f) return;
  // Frame column x shows picture column X(x) - at.x unmirrored, and that shows source column
  // half of it.
  const int w = frame_->Width();
  for (const int x : recipe_.grid->Columns()) penPicks_.push_back({(recipe_.mirror.X(x, w) - recipe_.at.x) / 2, x});
}

void FrameComposer::SourceSpan(int y, int from, int to, Ready ready, void* context) {
  uint32_t* pixels = source_->Row(y) + from;
  const auto count = static_cast<size_t>(to - from);
  if (filterSource_ && recipe_.simulation.On()) {
    ApplyColorFilter(*source_, recipe_.filter, {from, y, to, y + 1});
    ApplyVisionSimulation(pixels, count, recipe_.simulation, ready, context);
  } else if (filterSource_) {
    ApplyColorFilter(pixels, count, recipe_.filter, ready, context);
  } else if (count > 0) {
    ready(context, 0, count);
  }
}

void FrameComposer::Recolor(Bitmap& bitmap, int y, int left, int right) const {
  ApplyColorFilter(bitmap, recipe_.filter, {left, y, right, y + 1});
  left = std::max(left, 0);
  right = std::min(right, bitmap.Width());
  if (left < right) ApplyVisionSimulation(bitmap.Row(y) + left, static_cast<size_t>(right - left), recipe_.simulation);
}

void FrameComposer::SourceRow(int y) {
  if (filterSource_) Recolor(*source_, y, 0, source_->Width());
}

void FrameComposer::TargetRow(int y, int copyOf) {
  if (filterPicture_) Recolor(*frame_, y, picture_.left, picture_.right);
  const GridPlan* grid = recipe_.grid;
  if (grid == nullptr || rowsDone_[static_cast<size_t>(y)] == kGridFromSource) return;
  rowsDone_[static_cast<size_t>(y)] = kHandedOver;
  if (WaitsForCursor(y)) return;
  // A copy of a row that took the same vertical lines takes the same colors at them.
  using Row = GridPlan::Row;
  if (copyOf >= 0 && !WaitsForCursor(copyOf) && grid->RowAt(y) == Row::kColumns &&
      grid->RowAt(copyOf) == Row::kColumns) {
    const uint32_t* from = frame_->Row(copyOf);
    uint32_t* row = frame_->Row(y);
    for (const int x : grid->Columns()) row[x] = from[x];
    return;
  }
  grid->DrawRow(frame_->Row(y), y);
}

// A line row is the pen over the whole picture row, made from the source row before it is
// doubled; the vertical lines are picked from the source row once both rows are out. Rows
// under the cursor keep theirs for after the cursor.
void FrameComposer::PlanDoubled(DoubledRows& rows) {
  for (int r = 0; r < 2; ++r) {
    const int y = rows.target[r];
    if (WaitsForCursor(y)) continue;
    rowsDone_[static_cast<size_t>(y)] = kGridFromSource;
    rows.varied[r] = recipe_.grid->RowAt(y) == GridPlan::Row::kLine;
  }
  rows.vary = ContrastPen().copy;
  rows.variant = penRow_.data();
}

void FrameComposer::Doubled(const DoubledRows& rows, const uint32_t* source, uint32_t* const (&target)[2]) {
  uint32_t* marked[2];
  int count = 0;
  for (int r = 0; r < 2; ++r) {
    const int y = rows.target[r];
    if (!WaitsForCursor(y) && recipe_.grid->RowAt(y) == GridPlan::Row::kColumns) marked[count++] = target[r];
  }
  if (count > 0) ContrastPicks(source, penPicks_.data(), static_cast<int>(penPicks_.size()), marked, count);
}

bool FrameComposer::WaitsForCursor(int y) const {
  const int line = recipe_.mirror.Y(y, frame_->Height());
  return line >= waitTop_ && line < waitBottom_;
}
