#include "view/ScalerTables.h"

#include <algorithm>
#include <cmath>

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

void ScaleTables::Build(const ScaleGeometry& g) {
  geometry = g;
  method = Method::None;
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
  span = {static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};

  if (!g.smooth || z == 1.0) {
    BuildNearest(z);
    method = Method::Nearest;
  } else if (z < 1.0) {
    BuildBox(z);
    method = Method::Box;
  } else {
    BuildLerp(z);
    method = Method::Lerp;
  }
}

void ScaleTables::BuildNearest(double z) {
  wholeZoom = z == std::floor(z) ? static_cast<int>(z) : 0;
  if (wholeZoom == 0) {
    BuildNearestIndex(z, geometry.sourceWidth, span.left, span.right, columnSource);
    if (geometry.mirror.horizontal) std::reverse(columnSource.begin(), columnSource.end());
  }
  FindPickBlocks();
  BuildNearestIndex(z, geometry.sourceHeight, span.top, span.bottom, rowSource);
}

void ScaleTables::FindPickBlocks() {
  pickSpan = 0;
  pickBlocks = 0;
  const int count = static_cast<int>(columnSource.size());
  if (wholeZoom != 0 || geometry.mirror.horizontal || count < 16) return;
  const int step = columnSource[8] - columnSource[0];
  if (step != 16 && step != 32) return;
  for (int j = 0; j < 8; ++j) {
    pickOffsets[j] = columnSource[static_cast<size_t>(j)] - columnSource[0];
    if (pickOffsets[j] < 0 || pickOffsets[j] >= step) return;
  }
  int periodic = 8;
  while (periodic < count &&
         columnSource[static_cast<size_t>(periodic)] == columnSource[static_cast<size_t>(periodic) - 8] + step) {
    ++periodic;
  }
  // Each block reads its whole span, which must lie inside the row.
  pickBlocks = std::min(periodic / 8, (geometry.sourceWidth - columnSource[0]) / step);
  pickSpan = step;
}

void ScaleTables::BuildBox(double z) {
  BuildBoxTaps(z, geometry.sourceWidth, span.left, span.right, boxColumns, boxColumnWeights);
  BuildBoxTaps(z, geometry.sourceHeight, span.top, span.bottom, boxRows, boxRowWeights);
  // The mid row holds only the source columns that the clipped destination reads.
  midOrigin = boxColumns.front().first;
  midWidth = boxColumns.back().first + boxColumns.back().count - midOrigin;
  for (BoxTap& tap : boxColumns) tap.first -= midOrigin;
  mostRows = 0;
  for (const BoxTap& tap : boxRows) mostRows = std::max(mostRows, tap.count);
  // Halving and quartering average whole blocks, except where the source's edge cuts one.
  blockFactor = z == 0.5 ? 2 : z == 0.25 ? 4 : 0;
  blockColumns = 0;
  while (blockColumns < static_cast<int>(boxColumns.size()) &&
         boxColumns[static_cast<size_t>(blockColumns)].count == blockFactor) {
    ++blockColumns;
  }
}

void ScaleTables::BuildLerp(double z) {
  constexpr int kBits = scaler_rows::kLerpBits;
  constexpr int kOne = scaler_rows::kLerpOne;
  const int sourceWidth = geometry.sourceWidth;
  lerpColumns.clear();
  for (int d = span.left; d < span.right; ++d) {
    const int64_t at = LerpPosition(d, z, sourceWidth, kBits);
    LerpTap tap{static_cast<int>(at >> kBits), static_cast<int>(at & (kOne - 1))};
    // The last column as the right one of a pair, so that every tap reads inside the row.
    if (tap.left == sourceWidth - 1 && sourceWidth > 1) tap = {tap.left - 1, kOne};
    lerpColumns.push_back(tap);
  }
  lerpRowFirst.clear();
  lerpRowWeight.clear();
  for (int d = span.top; d < span.bottom; ++d) {
    const int64_t at = LerpPosition(d, z, geometry.sourceHeight, kBits);
    lerpRowFirst.push_back(static_cast<int32_t>(at >> kBits));
    lerpRowWeight.push_back(static_cast<int32_t>(at & (kOne - 1)));
  }
}
