#include "view/Scaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "base/Arith.h"

using scaler_rows::BoxTap;
using scaler_rows::LerpTap;
using scaler_rows::PackPair;

namespace {

// A picture wider or taller than this means nothing on any screen; such a zoom draws nothing.
constexpr double kMaxExtent = 1 << 30;

// Destination column (or row) where source pixel i starts.
int32_t Edge(int i, double z) { return Round(static_cast<double>(i) * z); }

// index[d - first] = the source pixel that covers destination d, for d in [first, last).
void BuildNearestIndex(double z, int sourceSize, int first, int last, std::vector<int32_t>& index) {
  index.assign(static_cast<size_t>(last - first), 0);
  for (int i = 0; i < sourceSize; ++i) {
    const int begin = std::max(Edge(i, z), first);
    const int end = std::min(Edge(i + 1, z), last);
    if (begin >= last) break;
    for (int d = begin; d < end; ++d) index[static_cast<size_t>(d - first)] = i;
  }
}

// Destination pixel d covers source [d/z, (d+1)/z), cut at the source's end. Each source
// pixel weighs by the length it has inside; the integer weights are taken from the rounded
// running sum so that they add up to exactly kWeightOne.
void BuildBoxTaps(double z, int sourceSize, int first, int last, std::vector<BoxTap>& taps,
                  std::vector<uint32_t>& weights) {
  taps.clear();
  weights.clear();
  std::vector<int> single;
  for (int d = first; d < last; ++d) {
    const double lo = d / z;
    const double hi = std::min((d + 1) / z, static_cast<double>(sourceSize));
    const int a = std::min(static_cast<int>(std::floor(lo)), sourceSize - 1);
    const int b = std::max(std::min(static_cast<int>(std::ceil(hi)), sourceSize), a + 1);
    const double total = hi - lo;
    single.clear();
    double covered = 0;
    int before = 0;
    for (int i = a; i < b; ++i) {
      covered += std::min(i + 1.0, hi) - std::max(static_cast<double>(i), lo);
      const int upTo = i + 1 == b ? scaler_rows::kWeightOne : Round(covered / total * scaler_rows::kWeightOne);
      single.push_back(upTo - before);
      before = upTo;
    }
    single.push_back(0);
    taps.push_back({a, b - a, static_cast<int32_t>(weights.size())});
    for (int j = 0; j + 1 < static_cast<int>(single.size()); j += 2) {
      weights.push_back(PackPair(single[static_cast<size_t>(j)], single[static_cast<size_t>(j) + 1]));
    }
  }
}

// Centre-aligned: destination pixel d samples source position (d + 0.5) / z - 0.5, held
// inside the source so that the edges repeat the outermost pixels. Returns fixed point.
int64_t LerpPosition(int d, double z, int sourceSize, int fractionBits) {
  const double one = static_cast<double>(int64_t{1} << fractionBits);
  const double at = std::nearbyint(((d + 0.5) / z - 0.5) * one);
  return static_cast<int64_t>(std::clamp(at, 0.0, (sourceSize - 1) * one));
}

}  // namespace

void Scaler::Scale(const Bitmap& source, Bitmap& target, TPoint at, float zoom, bool smooth, Mirror mirror,
                   ScaleRowWork* work) {
  if (source.Empty() || target.Empty()) return;
  const Geometry g{source.Width(), source.Height(), target.Width(), target.Height(), at, zoom, smooth, mirror};
  if (!(g == geometry_)) Build(g);
  kernels_ = &scaler_rows::Rows();
  work_ = work;
  sourceReady_ = 0;
  switch (method_) {
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

void Scaler::Build(const Geometry& g) {
  geometry_ = g;
  ++tableBuilds_;
  method_ = Method::None;
  const double z = g.zoom;
  if (!(z > 0) || !std::isfinite(z)) return;
  const double width = g.sourceWidth * z;
  const double height = g.sourceHeight * z;
  if (width > kMaxExtent || height > kMaxExtent) return;
  const int64_t right = std::min<int64_t>(Round(width), int64_t{g.targetWidth} - g.at.x);
  const int64_t bottom = std::min<int64_t>(Round(height), int64_t{g.targetHeight} - g.at.y);
  const int64_t left = std::max<int64_t>(0, -int64_t{g.at.x});
  const int64_t top = std::max<int64_t>(0, -int64_t{g.at.y});
  if (left >= right || top >= bottom) return;
  span_ = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
  mirrorRow_.assign(g.mirror.horizontal ? static_cast<size_t>(span_.Width()) : 0, 0);

  if (!g.smooth || z == 1.0) {
    BuildNearest(z, g.sourceWidth, g.sourceHeight);
    method_ = Method::Nearest;
  } else if (z < 1.0) {
    BuildBox(z, g.sourceWidth, g.sourceHeight);
    method_ = Method::Box;
  } else {
    BuildLerp(z, g.sourceWidth, g.sourceHeight);
    method_ = Method::Lerp;
  }
}

void Scaler::BuildNearest(double z, int sourceWidth, int sourceHeight) {
  wholeZoom_ = z == std::floor(z) ? static_cast<int>(z) : 0;
  if (wholeZoom_ == 0) {
    BuildNearestIndex(z, sourceWidth, span_.left, span_.right, columnSource_);
    if (geometry_.mirror.horizontal) std::reverse(columnSource_.begin(), columnSource_.end());
  }
  BuildNearestIndex(z, sourceHeight, span_.top, span_.bottom, rowSource_);
}

void Scaler::BuildBox(double z, int sourceWidth, int sourceHeight) {
  BuildBoxTaps(z, sourceWidth, span_.left, span_.right, boxColumns_, boxColumnWeights_);
  BuildBoxTaps(z, sourceHeight, span_.top, span_.bottom, boxRows_, boxRowWeights_);
  // The mid row holds only the source columns that the clipped destination reads.
  midOrigin_ = boxColumns_.front().first;
  midWidth_ = boxColumns_.back().first + boxColumns_.back().count - midOrigin_;
  for (BoxTap& tap : boxColumns_) tap.first -= midOrigin_;
  mid_.assign(static_cast<size_t>(midWidth_ + 1) * 4, 0);
  int most = 0;
  for (const BoxTap& tap : boxRows_) most = std::max(most, tap.count);
  boxRowPointers_.assign(static_cast<size_t>(most + 1), nullptr);
  // Halving and quartering average whole blocks, except where the source's edge cuts one.
  blockFactor_ = z == 0.5 ? 2 : z == 0.25 ? 4 : 0;
  blockColumns_ = 0;
  while (blockColumns_ < static_cast<int>(boxColumns_.size()) &&
         boxColumns_[static_cast<size_t>(blockColumns_)].count == blockFactor_) {
    ++blockColumns_;
  }
}

void Scaler::BuildLerp(double z, int sourceWidth, int sourceHeight) {
  constexpr int kBits = scaler_rows::kLerpBits;
  constexpr int kOne = scaler_rows::kLerpOne;
  lerpColumns_.clear();
  for (int d = span_.left; d < span_.right; ++d) {
    const int64_t at = LerpPosition(d, z, sourceWidth, kBits);
    LerpTap tap{static_cast<int>(at >> kBits), static_cast<int>(at & (kOne - 1))};
    // The last column as the right one of a pair, so that every tap reads inside the row.
    if (tap.left == sourceWidth - 1 && sourceWidth > 1) tap = {tap.left - 1, kOne};
    lerpColumns_.push_back(tap);
  }
  lerpRowFirst_.clear();
  lerpRowWeight_.clear();
  for (int d = span_.top; d < span_.bottom; ++d) {
    const int64_t at = LerpPosition(d, z, sourceHeight, kBits);
    lerpRowFirst_.push_back(static_cast<int32_t>(at >> kBits));
    lerpRowWeight_.push_back(static_cast<int32_t>(at & (kOne - 1)));
  }
  for (std::vector<uint32_t>& row : lerpAcross_) row.assign(static_cast<size_t>(span_.Width()), 0);
}

int Scaler::TargetLeft(const Bitmap& target) const {
  const int x = geometry_.at.x + span_.left;
  return geometry_.mirror.horizontal ? target.Width() - x - span_.Width() : x;
}

uint32_t* Scaler::OutRow(Bitmap& target, int d) const { return target.Row(TargetY(target, d)) + TargetLeft(target); }

void Scaler::ReadingSource(int y) {
  if (work_ == nullptr || y < sourceReady_) return;
  work_->SourceRow(y);
  sourceReady_ = y + 1;
}

int Scaler::TargetY(const Bitmap& target, int d) const {
  const int y = geometry_.at.y + d;
  return geometry_.mirror.vertical ? target.Height() - 1 - y : y;
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
  if (geometry_.mirror.horizontal)
    kernels_->reverse(row, span_.Width(), out);
  else
    std::memcpy(out, row, static_cast<size_t>(span_.Width()) * sizeof(uint32_t));
}

// Pixels [left, right) of a row scaled by the whole zoom k from `in`.
static void ReplicateSpan(const scaler_rows::RowKernels& kernels, const uint32_t* in, int left, int right, int k,
                          uint32_t* out) {
  if (k == 1) {
    std::memcpy(out, in + left, static_cast<size_t>(right - left) * sizeof(uint32_t));
    return;
  }
  // A block cut by the clip at either end is written pixel by pixel, whole blocks at once.
  int x = left;
  for (; x < right && x % k != 0; ++x) *out++ = in[x / k];
  const int blocks = (right - x) / k;
  kernels.replicate(in + x / k, blocks, k, out);
  out += static_cast<ptrdiff_t>(blocks) * k;
  for (x += blocks * k; x < right; ++x) *out++ = in[x / k];
}

// The same for the row reversed, read straight from `in`, which holds `width` pixels.
static void ReplicateSpanReversed(const scaler_rows::RowKernels& kernels, const uint32_t* in, int width, int left,
                                  int right, int k, uint32_t* out) {
  if (k == 1) {
    kernels.reverse(in + width - right, right - left, out);
    return;
  }
  int x = left;
  for (; x < right && x % k != 0; ++x) *out++ = in[width - 1 - x / k];
  const int blocks = (right - x) / k;
  kernels.replicateReversed(in + width - x / k - blocks, blocks, k, out);
  out += static_cast<ptrdiff_t>(blocks) * k;
  for (x += blocks * k; x < right; ++x) *out++ = in[width - 1 - x / k];
}

namespace {

// What WriteDoubled needs: the source row, the two picture rows and the picture's columns.
struct Doubling {
  const scaler_rows::RowKernels* kernels;
  const uint32_t* in;  // the source row
  int width;           // of the source row
  int first;           // source column of the span's first pixel
  int left;            // picture columns [left, right) go to the rows from their first pixel on
  int right;
  bool across;
  uint32_t* rows[2];
  bool wholeRow[2];  // the grid's pen covers the row
  uint32_t* penRow;  // the pen's colours of the source row, for those rows
};

}  // namespace

void Scaler::WriteDoubled(void* context, size_t from, size_t to) {
  const Doubling& job = *static_cast<const Doubling*>(context);
  const int a = job.first + static_cast<int>(from);
  const int b = job.first + static_cast<int>(to);
  // Mirrored, source column s shows at picture columns 2 * (width - 1 - s) and the next one.
  const int x0 = std::max(job.across ? 2 * (job.width - b) : 2 * a, job.left);
  const int x1 = std::min(job.across ? 2 * (job.width - a) : 2 * b, job.right);
  if (x0 >= x1) return;
  // A row the pen covers whole is written in the pen's colours straight away.
  if (job.wholeRow[0] || job.wholeRow[1]) ContrastCopy(job.in + a, b - a, job.penRow + a);
  for (int r = 0; r < 2; ++r) {
    const uint32_t* in = job.wholeRow[r] ? job.penRow : job.in;
    uint32_t* out = job.rows[r] + (x0 - job.left);
    if ((x0 | x1) & 1) {
      // A pixel pair cut by the picture's edge.
      if (job.across)
        ReplicateSpanReversed(*job.kernels, in, job.width, x0, x1, 2, out);
      else
        ReplicateSpan(*job.kernels, in, x0, x1, 2, out);
    } else if (job.across) {
      job.kernels->replicateReversed(in + job.width - x1 / 2, (x1 - x0) / 2, 2, out);
    } else {
      job.kernels->replicate(in + x0 / 2, (x1 - x0) / 2, 2, out);
    }
  }
}

void Scaler::PreparePen(const Bitmap& source, const Bitmap& target) {
  const std::vector<int>* columns = work_->PenColumns();
  pen_ = columns != nullptr;
  if (!pen_) return;
  const int width = source.Width();
  const bool across = geometry_.mirror.horizontal;
  // As in DoubleRow: offset o of a picture row shows picture column left + o, and that shows
  // source column (left + o) / 2, mirrored counted from the right.
  const int left = across ? 2 * width - span_.right : span_.left;
  const int targetLeft = TargetLeft(target);
  penPicks_.clear();
  for (const int column : *columns) {
    const int offset = column - targetLeft;
    if (offset < 0 || offset >= span_.Width()) continue;
    const int at = left + offset;
    penPicks_.push_back({across ? width - 1 - at / 2 : at / 2, offset});
  }
  penRow_.resize(static_cast<size_t>(width));
}

void Scaler::DoubleRow(const Bitmap& source, Bitmap& target, int row, int d) {
  const int width = source.Width();
  const bool across = geometry_.mirror.horizontal;
  // Mirrored, the picture is the reversed source row scaled the usual way; its columns.
  const int left = across ? 2 * width - span_.right : span_.left;
  const int right = across ? 2 * width - span_.left : span_.right;
  // The source columns those show.
  const int first = across ? width - (right + 1) / 2 : left / 2;
  const int end = across ? width - left / 2 : (right + 1) / 2;
  using Pen = ScaleRowWork::Pen;
  const Pen pen[2] = {pen_ ? work_->PenOnRow(TargetY(target, d)) : Pen::kNone,
                      pen_ ? work_->PenOnRow(TargetY(target, d + 1)) : Pen::kNone};
  Doubling job{kernels_,
               source.Row(row),
               width,
               first,
               left,
               right,
               across,
               {OutRow(target, d), OutRow(target, d + 1)},
               {pen[0] == Pen::kWholeRow, pen[1] == Pen::kWholeRow},
               penRow_.data()};
  work_->SourceSpan(row, first, end, &Scaler::WriteDoubled, &job);
  // The columns once the whole row is out: per piece, finding a piece's columns cost more.
  uint32_t* marked[2];
  int markedCount = 0;
  for (int r = 0; r < 2; ++r) {
    if (pen[r] == Pen::kColumns) marked[markedCount++] = job.rows[r];
  }
  if (markedCount > 0) ContrastPicks(job.in, penPicks_.data(), static_cast<int>(penPicks_.size()), marked, markedCount);
  sourceReady_ = row + 1;
}

void Scaler::ScaleNearest(const Bitmap& source, Bitmap& target) {
  const int count = span_.Width();
  const size_t bytes = static_cast<size_t>(count) * sizeof(uint32_t);
  const int k = wholeZoom_;
  const bool across = geometry_.mirror.horizontal;
  // Mirrored, pixel x of the picture shows what k * width - 1 - x shows unmirrored, which is
  // the reversed source row scaled the usual way.
  const int pictureWidth = k * source.Width();
  const uint32_t* previous = nullptr;
  int previousRow = -1;
  int unfinished = span_.top;  // rows from here on may still be copied
  bool doubled = false;        // the last row was written together with the one below it
  pen_ = false;
  if (k == 2 && work_ != nullptr) PreparePen(source, target);
  for (int d = span_.top; d < span_.bottom; ++d) {
    uint32_t* out = OutRow(target, d);
    const int row = rowSource_[static_cast<size_t>(d - span_.top)];
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
    doubled = k == 2 && work_ != nullptr && row >= sourceReady_ && d + 1 < span_.bottom &&
              rowSource_[static_cast<size_t>(d + 1 - span_.top)] == row;
    if (doubled) {
      DoubleRow(source, target, row, d);
      continue;
    }
    ReadingSource(row);
    if (k > 0 && across) {
      ReplicateSpanReversed(*kernels_, source.Row(row), source.Width(), pictureWidth - span_.right,
                            pictureWidth - span_.left, k, out);
    } else if (k > 0) {
      ReplicateSpan(*kernels_, source.Row(row), span_.left, span_.right, k, out);
    } else {
      const size_t i = static_cast<size_t>(d - span_.top);
      const uint32_t* next = i + 1 < rowSource_.size() ? source.Row(rowSource_[i + 1]) : nullptr;
      scaler_rows::Gather(source.Row(row), columnSource_.data(), count, out, next);
    }
  }
  Finished(target, unfinished, span_.bottom);
}

void Scaler::ScaleBox(const Bitmap& source, Bitmap& target) {
  const int count = span_.Width();
  const uint32_t** rows = boxRowPointers_.data();
  const bool across = geometry_.mirror.horizontal;
  for (int d = span_.top; d < span_.bottom; ++d) {
    const BoxTap& tap = boxRows_[static_cast<size_t>(d - span_.top)];
    for (int j = 0; j < tap.count; ++j) {
      ReadingSource(tap.first + j);
      rows[j] = source.Row(tap.first + j) + midOrigin_;
    }
    rows[tap.count] = rows[tap.count - 1];
    uint32_t* const into = OutRow(target, d);
    uint32_t* const out = across ? mirrorRow_.data() : into;
    int done = 0;
    if (blockFactor_ != 0 && tap.count == blockFactor_) {
      kernels_->boxBlocks(rows, blockFactor_, blockColumns_, out);
      done = blockColumns_;
    }
    if (done < count) {
      // The general way for what the blocks do not cover: a row cut by the source's edge, or
      // the last column.
      const int from = boxColumns_[static_cast<size_t>(done)].first;
      for (int j = 0; j <= tap.count; ++j) rows[j] += from;
      kernels_->boxRows(rows, boxRowWeights_.data() + tap.weightAt, (tap.count + 1) / 2, midWidth_ - from,
                        mid_.data() + 4 * from);
      kernels_->boxColumns(mid_.data(), boxColumns_.data() + done, boxColumnWeights_.data(), count - done, out + done);
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
  kernels_->lerpColumns(source.Row(row), source.Width(), lerpColumns_.data(), span_.Width(), lerpAcross_[s].data());
  lerpAcrossRow_[s] = row;
  return lerpAcross_[s].data();
}

void Scaler::ScaleLerp(const Bitmap& source, Bitmap& target) {
  const int count = span_.Width();
  const size_t bytes = static_cast<size_t>(count) * sizeof(uint32_t);
  const bool across = geometry_.mirror.horizontal;
  // The pixels are new on every call; only the tables carry over.
  lerpAcrossRow_[0] = lerpAcrossRow_[1] = -1;
  const uint32_t* previous = nullptr;
  int unfinished = span_.top;  // rows from here on may still be copied
  for (int d = span_.top; d < span_.bottom; ++d) {
    const size_t i = static_cast<size_t>(d - span_.top);
    const int first = lerpRowFirst_[i];
    const int weight = lerpRowWeight_[i];
    uint32_t* out = OutRow(target, d);
    if (i > 0 && first == lerpRowFirst_[i - 1] && weight == lerpRowWeight_[i - 1]) {
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
  Finished(target, unfinished, span_.bottom);
}
