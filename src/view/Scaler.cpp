#include "view/Scaler.h"

#include <cstring>

using scaler_rows::BoxTap;

void Scaler::Scale(const Bitmap& source, Bitmap& target, Point at, float zoom, bool smooth, Mirror mirror,
                   ScaleRowWork* work) {
  if (source.Empty() || target.Empty()) return;
  const ScaleGeometry g{source.Width(), source.Height(), target.Width(), target.Height(), at, zoom, smooth, mirror};
  if (!(g == tables_.geometry)) {
    tables_.Build(g);
    ++tableBuilds_;
    SizeRows();
  }
  kernels_ = &scaler_rows::Rows();
  work_ = work;
  sourceReady_ = 0;
  switch (tables_.method) {
    case Method::None:
      break;
    case Method::Nearest:
      ScaleNearest(source, target);
      break;
    case Method::Box:
      ScaleBox(source, target);
      break;
    case Method::Lerp:
      ScaleLerp(source, target);
      break;
  }
}

void Scaler::SizeRows() {
  if (tables_.method == Method::None) return;
  const auto width = static_cast<size_t>(tables_.span.Width());
  mirrorRow_.assign(tables_.geometry.mirror.horizontal ? width : 0, 0);
  if (tables_.method == Method::Box) {
    mid_.assign(static_cast<size_t>(tables_.midWidth + 1) * 4, 0);
    boxRowPointers_.assign(static_cast<size_t>(tables_.mostRows + 1), nullptr);
  }
  if (tables_.method == Method::Lerp) {
    for (std::vector<uint32_t>& row : lerpAcross_) row.assign(width, 0);
  }
}

int Scaler::TargetLeft(const Bitmap& target) const {
  const int x = tables_.geometry.at.x + tables_.span.left;
  return tables_.geometry.mirror.horizontal ? target.Width() - x - tables_.span.Width() : x;
}

uint32_t* Scaler::OutRow(Bitmap& target, int d) const { return target.Row(TargetY(target, d)) + TargetLeft(target); }

void Scaler::ReadingSource(int y) {
  if (work_ == nullptr || y < sourceReady_) return;
  work_->SourceRow(y);
  sourceReady_ = y + 1;
}

int Scaler::TargetY(const Bitmap& target, int d) const {
  const int y = tables_.geometry.at.y + d;
  return tables_.geometry.mirror.vertical ? target.Height() - 1 - y : y;
}

void Scaler::Finished(const Bitmap& target, int from, int to) {
  if (work_ == nullptr) return;
  // The rows after the first of [from, to) are copies of it.
  int first = -1;
  for (int d = from; d < to; ++d) {
    const int row = TargetY(target, d);
    work_->TargetRow(row, first);
    if (first < 0) first = row;
  }
}

void Scaler::Put(const uint32_t* row, uint32_t* out) const {
  if (tables_.geometry.mirror.horizontal)
    kernels_->reverse(row, tables_.span.Width(), out);
  else
    std::memcpy(out, row, static_cast<size_t>(tables_.span.Width()) * sizeof(uint32_t));
}

void Scaler::ScaleNearest(const Bitmap& source, Bitmap& target) {
  const ScaleTables::Span& span = tables_.span;
  const std::vector<int32_t>& rowSource = tables_.rowSource;
  const int count = span.Width();
  const size_t bytes = static_cast<size_t>(count) * sizeof(uint32_t);
  const int k = tables_.wholeZoom;
  const bool across = tables_.geometry.mirror.horizontal;
  // Mirrored, pixel x of the picture shows what k * width - 1 - x shows unmirrored, which is
  // the reversed source row scaled the usual way.
  const int pictureWidth = k * source.Width();
  const uint32_t* previous = nullptr;
  int previousRow = -1;
  int unfinished = span.top;  // rows from here on may still be copied
  bool doubled = false;       // the last row was written together with the one below it
  doubledWork_ = k == 2 && work_ != nullptr && work_->WorksOnDoubledRows();
  for (int d = span.top; d < span.bottom; ++d) {
    uint32_t* out = OutRow(target, d);
    const int row = rowSource[static_cast<size_t>(d - span.top)];
    if (row == previousRow) {
      if (!doubled) std::memcpy(out, previous, bytes);
      doubled = false;
      previous = out;
      continue;
    }
    Finished(target, unfinished, d);
    unfinished = d;
    previous = out;
    previousRow = row;
    doubled = k == 2 && work_ != nullptr && row >= sourceReady_ && d + 1 < span.bottom &&
              rowSource[static_cast<size_t>(d + 1 - span.top)] == row;
    if (doubled) {
      DoubleRow(source, target, row, d);
      continue;
    }
    ReadingSource(row);
    if (k > 0 && across) {
      scaler_rows::ReplicateSpanReversed(*kernels_, source.Row(row), source.Width(), pictureWidth - span.right,
                                         pictureWidth - span.left, k, out);
    } else if (k > 0) {
      scaler_rows::ReplicateSpan(*kernels_, source.Row(row), span.left, span.right, k, out);
    } else {
      const size_t i = static_cast<size_t>(d - span.top);
      const uint32_t* next = i + 1 < rowSource.size() ? source.Row(rowSource[i + 1]) : nullptr;
      int picked = 0;
      if (tables_.pickBlocks > 0) {
        const int first = tables_.columnSource[0];
        kernels_->pickColumns(source.Row(row) + first, tables_.pickOffsets, tables_.pickSpan, tables_.pickBlocks, out,
                              next != nullptr ? next + first : nullptr);
        picked = 8 * tables_.pickBlocks;
      }
      scaler_rows::Gather(source.Row(row), tables_.columnSource.data() + picked, count - picked, out + picked, next);
    }
  }
  Finished(target, unfinished, span.bottom);
}

void Scaler::ScaleBox(const Bitmap& source, Bitmap& target) {
  const ScaleTables& t = tables_;
  const int count = t.span.Width();
  const uint32_t** rows = boxRowPointers_.data();
  const bool across = t.geometry.mirror.horizontal;
  for (int d = t.span.top; d < t.span.bottom; ++d) {
    const BoxTap& tap = t.boxRows[static_cast<size_t>(d - t.span.top)];
    for (int j = 0; j < tap.count; ++j) {
      ReadingSource(tap.first + j);
      rows[j] = source.Row(tap.first + j) + t.midOrigin;
    }
    rows[tap.count] = rows[tap.count - 1];
    uint32_t* const into = OutRow(target, d);
    uint32_t* const out = across ? mirrorRow_.data() : into;
    int done = 0;
    if (t.blockFactor != 0 && tap.count == t.blockFactor) {
      kernels_->boxBlocks(rows, t.blockFactor, t.blockColumns, out);
      done = t.blockColumns;
    }
    if (done < count) {
      // The general way for what the blocks do not cover: a row cut by the source's edge, or
      // the last column.
      const int from = t.boxColumns[static_cast<size_t>(done)].first;
      for (int j = 0; j <= tap.count; ++j) rows[j] += from;
      kernels_->boxRows(rows, t.boxRowWeights.data() + tap.weightAt, (tap.count + 1) / 2, t.midWidth - from,
                        mid_.data() + 4 * from);
      kernels_->boxColumns(mid_.data(), t.boxColumns.data() + done, t.boxColumnWeights.data(), count - done,
                           out + done);
    }
    if (across) kernels_->reverse(out, count, into);
    Finished(target, d, d + 1);
  }
}

const uint32_t* Scaler::LerpedRow(const Bitmap& source, int row, int keep) {
  for (int s = 0; s < 2; ++s) {
    if (lerpAcrossRow_[s] == row) return lerpAcross_[s].data();
  }
  int s = lerpAcrossRow_[0] <= lerpAcrossRow_[1] ? 0 : 1;
  if (lerpAcrossRow_[s] == keep) s ^= 1;
  ReadingSource(row);
  kernels_->lerpColumns(source.Row(row), source.Width(), tables_.lerpColumns.data(), tables_.span.Width(),
                        lerpAcross_[s].data());
  lerpAcrossRow_[s] = row;
  return lerpAcross_[s].data();
}

void Scaler::ScaleLerp(const Bitmap& source, Bitmap& target) {
  const ScaleTables& t = tables_;
  const int count = t.span.Width();
  const size_t bytes = static_cast<size_t>(count) * sizeof(uint32_t);
  const bool across = t.geometry.mirror.horizontal;
  // The pixels are new on every call; only the tables carry over.
  lerpAcrossRow_[0] = lerpAcrossRow_[1] = -1;
  const uint32_t* previous = nullptr;
  int unfinished = t.span.top;  // rows from here on may still be copied
  for (int d = t.span.top; d < t.span.bottom; ++d) {
    const size_t i = static_cast<size_t>(d - t.span.top);
    const int first = t.lerpRowFirst[i];
    const int weight = t.lerpRowWeight[i];
    uint32_t* out = OutRow(target, d);
    if (i > 0 && first == t.lerpRowFirst[i - 1] && weight == t.lerpRowWeight[i - 1]) {
      std::memcpy(out, previous, bytes);
      previous = out;
      continue;
    }
    Finished(target, unfinished, d);
    unfinished = d;
    if (weight == 0) {
      Put(LerpedRow(source, first, first), out);
    } else {
      const uint32_t* upper = LerpedRow(source, first, first);
      const uint32_t* lower = LerpedRow(source, first + 1, first);
      kernels_->lerpRows(upper, lower, weight, count, across ? mirrorRow_.data() : out);
      if (across) kernels_->reverse(mirrorRow_.data(), count, out);
    }
    previous = out;
  }
  Finished(target, unfinished, t.span.bottom);
}
