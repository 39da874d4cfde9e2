#pragma once

#include <cstddef>
#include <cstdint>

#include "view/ColorFilter.h"

// The filter's tables and its interchangeable pixel loops. Every loop gives the same bytes as
// the plain one; the others only get there faster.
namespace color_filter {

inline constexpr int kMatrixCount = 8;
inline constexpr int kMatrixEntries = 9;

// Round(M[r][c] * v * 256) for each matrix (grayscale, sepia, the three simulations, the three
// corrections) and each entry row by row.
using ProductTables = int32_t[kMatrixCount][kMatrixEntries][256];

// What blue, green and red input v add to the blue, green and red output sums (fourth lane
// 0), one cache line per v, so a pixel costs three aligned 16-byte loads.
struct alignas(64) SumRow {
  int32_t byInput[4][4];  // [blue, green, red, unused][blue, green, red, 0]
};
inline constexpr int kSumRowBytes = 64;

// Valid once BuildFilterTables has run.
const ProductTables& Products();
const uint8_t* InvertTable();
const SumRow* SumRows(int matrix);

// The table set of a matrix mode, or -1 for cfNone, cfInvert and values outside the enumeration.
int MatrixIndex(TColorFilterMode mode);

enum class Path : uint8_t { kPlain, kSse2, kBmi2 };

// Whether this build and this processor run the path.
bool PathAvailable(Path path);
Path FastestPath();

// Filters `count` contiguous pixels; the tables must exist and the path must be available.
void FilterPixels(Path path, uint32_t* pixels, size_t count, TColorFilterMode mode);

// The reference: one pixel at a time through the integer tables.
void FilterPlain(uint32_t* pixels, size_t count, TColorFilterMode mode);

}  // namespace color_filter
