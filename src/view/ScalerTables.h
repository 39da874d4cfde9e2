#pragma once

#include <cstdint>
#include <vector>

#include "base/Geometry.h"
#include "base/Mirror.h"
#include "view/ScalerRows.h"

// What a scaling depends on besides the pixels.
struct ScaleGeometry {
  int sourceWidth = -1;
  int sourceHeight = -1;
  int targetWidth = -1;
  int targetHeight = -1;
  Point at;
  float zoom = 0;
  bool smooth = false;
  Mirror mirror;
  friend bool operator==(const ScaleGeometry&, const ScaleGeometry&) = default;
};

// Which source pixels each destination pixel reads, and how they weigh, for one geometry: worked
// out once and read by the scaler's row loops on every call until the geometry changes.
struct ScaleTables {
  enum class Method : uint8_t { None, Nearest, Box, Lerp };

  // Clipped destination, relative to `at`: columns [left, right), rows [top, bottom).
  struct Span {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
  };

  // Method::None when the geometry draws nothing.
  void Build(const ScaleGeometry& g);

  ScaleGeometry geometry;
  Method method = Method::None;
  Span span;

  // Nearest: the source column and row of each destination column and row. Whole zooms need no
  // columns; mirrored across, the columns are reversed.
  int wholeZoom = 0;  // the zoom when it is a whole number, else 0
  std::vector<int32_t> columnSource;
  std::vector<int32_t> rowSource;
  // Halving and quartering: the leading columns that repeat one pick of eight from every
  // `pickSpan` source pixels, `pickBlocks` times from columnSource[0] on (0 where none do).
  int pickSpan = 0;
  int pickBlocks = 0;
  int32_t pickOffsets[8] = {};

  // Box: column taps read a mid row whose first pixel is source column `midOrigin`.
  std::vector<scaler_rows::BoxTap> boxColumns;
  std::vector<scaler_rows::BoxTap> boxRows;
  std::vector<uint32_t> boxColumnWeights;
  std::vector<uint32_t> boxRowWeights;
  int midOrigin = 0;
  int midWidth = 0;
  int mostRows = 0;      // the most source rows one destination row averages
  int blockFactor = 0;   // 2 or 4 when whole blocks can be averaged at once
  int blockColumns = 0;  // leading columns that are whole blocks

  // Lerp: each destination column's pair of source columns, each row's upper source row and the
  // lower one's weight.
  std::vector<scaler_rows::LerpTap> lerpColumns;
  std::vector<int32_t> lerpRowFirst;
  std::vector<int32_t> lerpRowWeight;

 private:
  void BuildNearest(double z);
  void FindPickBlocks();
  void BuildBox(double z);
  void BuildLerp(double z);
};
