#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Cpu.h"
#include "view/ColorFilter.h"

// The filter's tables and its interchangeable pixel loops. Every loop gives the same bytes as
// the plain one; the others only get there faster.
namespace color_filter {

inline constexpr int kMatrixCount = 8;
inline constexpr int kMatrixEntries = 9;

// Rows give output red, green, blue; columns weigh input red, green, blue. Each correction
// is I + E * (I - S) with the simulation S of the same deficiency, already multiplied out.
inline constexpr double kMatrices[kMatrixCount][kMatrixEntries] = {
    {0.3, 0.59, 0.11, 0.3, 0.59, 0.11, 0.3, 0.59, 0.11},              // grayscale
    {0.393, 0.769, 0.189, 0.349, 0.686, 0.168, 0.272, 0.534, 0.131},  // sepia
    {0.567, 0.433, 0, 0.558, 0.442, 0, 0, 0.242, 0.758},              // protanopia
    {0.625, 0.375, 0, 0.7, 0.3, 0, 0, 0.3, 0.7},                      // deuteranopia
    {0.95, 0.05, 0, 0, 0.433, 0.567, 0, 0.475, 0.525},                // tritanopia
    {1, 0, 0, -0.2549, 1.2549, 0, 0.3031, -0.5451, 1.242},            // protanopia correction
    {1, 0, 0, -0.4375, 1.4375, 0, 0.2625, -0.5625, 1.3},              // deuteranopia correction
    {1, 0, 0, 0.035, 1.532, -0.567, 0.035, -0.51, 1.475},             // tritanopia correction
};

// Round(M[r][c] * v * 256) for each matrix and each entry row by row: what the filter is.
using ProductTables = int32_t[kMatrixCount][kMatrixEntries][256];

// Entry index of output channel `out` and input channel `in`, both 0 = blue, 1 = green, 2 = red.
constexpr int EntryOf(int out, int in) { return (2 - out) * 3 + (2 - in); }

// The vector loops compute each product in registers instead of loading it:
//   product(v) = 256 v whole + ((v multiplier + 2^15) >> 16),
// whole the entry's floor (-1, 0 or 1) and multiplier below 2^24, chosen when the tables are
// built so that all 256 values equal the table's. In 16-bit lanes the second part is
// step v + ((2 v fraction >> 16) + 1) >> 1, step and fraction the multiplier's top 8 and low
// 16 bits. A pixel's output is then clamp(sum of 256 v whole / 256 + sum of the rest / 256):
// the rest is at most 255 x 256 a term, and its sum saturates at 65535 only where the output
// is 255 anyway (checked when built).
inline constexpr int kMultiplierShift = 16;

struct Multiplier {
  int32_t whole = 0;
  uint32_t multiplier = 0;
};

// `exact` when every entry of the matrix has its multiplier; a matrix without is filtered from
// its tables by the plain loop.
struct MatrixMultipliers {
  bool exact = false;
  Multiplier entry[kMatrixEntries];
};

// What the vector loops know of a matrix when they are compiled: which entries have anything
// below 256 v to compute, the whole multiples of the others, and which output rows repeat the
// row before.
constexpr int WholeOf(int matrix, int entry) {
  const double m = kMatrices[matrix][entry];
  const int truncated = static_cast<int>(m);
  return m < truncated ? truncated - 1 : truncated;
}
constexpr bool HasFraction(int matrix, int entry) { return kMatrices[matrix][entry] != WholeOf(matrix, entry); }
// The first input (blue, green, red) of an output row with a fraction, or 3 for none.
constexpr int FirstFraction(int matrix, int out) {
  int in = 0;
  while (in < 3 && !HasFraction(matrix, EntryOf(out, in))) ++in;
  return in;
}
constexpr bool SameAsRowBefore(int matrix, int out) {
  if (out == 0) return false;
  for (int in = 0; in < 3; ++in) {
    if (kMatrices[matrix][EntryOf(out, in)] != kMatrices[matrix][EntryOf(out - 1, in)]) return false;
  }
  return true;
}

// Valid once BuildFilterTables has run.
const ProductTables& Products();
const uint8_t* InvertTable();
const MatrixMultipliers& Multipliers(int matrix);

// The table set of a matrix mode, or -1 for cfNone, cfInvert and values outside the enumeration.
int MatrixIndex(TColorFilterMode mode);

using MatrixLoop = void (*)(uint32_t* pixels, size_t count, FilteredPiece piece, void* context);

// The pixel loops of one instruction set, each over a whole run: the vector loops leave a run's
// last pixels to the plain ones (base/Steps.h).
struct FilterKernels {
  void (*invert)(uint32_t* pixels, size_t count);
  // Per matrix (MatrixIndex), telling `piece`, when not null, each part as it is stored.
  MatrixLoop matrix[kMatrixCount];
};

// Plain C++ from the tables, the reference for the others.
extern const FilterKernels kPlainFilter;
// Null where the build has no such loops.
const FilterKernels* Sse2Filter();
const FilterKernels* Avx2Filter();
const FilterKernels* Avx512Filter();

// Filters `count` contiguous pixels with the fastest loops the processor's features allow
// (base/Cpu.h); the tables must exist. `piece`, when given, is told as the pixels become final.
void FilterPixels(uint32_t* pixels, size_t count, TColorFilterMode mode, FilteredPiece piece = nullptr,
                  void* context = nullptr);

// The reference: one pixel at a time through the integer tables.
void FilterPlain(uint32_t* pixels, size_t count, TColorFilterMode mode);

}  // namespace color_filter
