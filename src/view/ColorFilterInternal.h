#pragma once

#include <cstddef>
#include <cstdint>

#include "base/Cpu.h"
#include "view/ColorFilter.h"
#include "view/PackedTermSum.h"

// The filter's tables and its interchangeable pixel loops. Every loop gives the same bytes as
// the plain one; the others only get there faster.
namespace color_filter {

inline constexpr int kMatrixCount = 8;
inline constexpr int kMatrixEntries = 9;

// Round(M[r][c] * v * 256) for each matrix (grayscale, sepia, the three simulations, the three
// corrections) and each entry row by row.
using ProductTables = int32_t[kMatrixCount][kMatrixEntries][256];

// What blue, green and red input v add to the blue, green and red output sums, packed into one
// 64-bit word per input channel and value with a field per output channel, so a pixel costs
// three scalar loads and two adds. A field's bits 8..17 hold (sum >> 8) as a 10-bit two's
// complement number (every matrix keeps it within -145..399), and each word of a sum holds one
// of them: the vector loops take them apart with a multiply and a shift per word, no shuffle.
// The blue and green fields carry 2^18 on top, which leaves those bits alone but keeps the field
// from borrowing from the one above; kFieldBits then hold it. Red, on top, may drop high bits.
inline constexpr int kFieldShift[3] = {8, 27, 46};  // blue, green, red output
inline constexpr int kFieldBits = 19;
inline constexpr int kFieldBias = 1 << 18;
inline constexpr int kResultBits = 10;
static_assert(kFieldShift[0] + kFieldBits <= kFieldShift[1] && kFieldShift[1] + kFieldBits <= kFieldShift[2]);
// How far (field >> 8) sits above the start of its word, words 1, 2 and 3.
inline constexpr int FieldOffsetInWord(int f) { return kFieldShift[f] + 8 - 16 * (f + 1); }
static_assert(FieldOffsetInWord(0) >= 0 && FieldOffsetInWord(1) >= 0 && FieldOffsetInWord(2) >= 0);
static_assert(FieldOffsetInWord(0) + kResultBits <= 16 && FieldOffsetInWord(1) + kResultBits <= 16 &&
              FieldOffsetInWord(2) + kResultBits <= 16);
// Per word of a sum, the multiplier whose low 16 bits put (field >> 8) at the top of the word,
// dropping the next field's bits above it, for an arithmetic right shift by 16 - kResultBits to
// finish. Word 0 becomes 0, so that after packing to bytes a pixel is 0, blue, green, red.
inline constexpr int16_t kWordFactor[4] = {0, static_cast<int16_t>(1 << (16 - kResultBits - FieldOffsetInWord(0))),
                                           static_cast<int16_t>(1 << (16 - kResultBits - FieldOffsetInWord(1))),
                                           static_cast<int16_t>(1 << (16 - kResultBits - FieldOffsetInWord(2)))};

struct PackedSums {
  PackedTermTable byInput;  // [blue, green, red][v]
};

// A packed three-entry sum's filtered colour, fourth byte 0.
inline uint32_t ColourOfSum(uint64_t sum) {
  uint32_t colour = 0;
  for (int out = 0; out < 3; ++out) {
    const uint32_t bits = static_cast<uint32_t>(sum >> (kFieldShift[out] + 8)) & ((1u << kResultBits) - 1);
    const int32_t v =
        bits >= 1u << (kResultBits - 1) ? static_cast<int32_t>(bits) - (1 << kResultBits) : static_cast<int32_t>(bits);
    colour |= static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v) << (8 * out);
  }
  return colour;
}

inline uint64_t PackedSumOf(uint32_t pixel, const PackedSums& packed) { return PackedTermSum(pixel, packed.byInput); }

// Valid once BuildFilterTables has run.
const ProductTables& Products();
const uint8_t* InvertTable();
const PackedSums& Packed(int matrix);

// The table set of a matrix mode, or -1 for cfNone, cfInvert and values outside the enumeration.
int MatrixIndex(TColorFilterMode mode);

// The pixel loops of one instruction set, each over a whole run: the vector loops leave a run's
// last pixels to the plain ones (base/Steps.h).
struct FilterKernels {
  void (*invert)(uint32_t* pixels, size_t count);
  // `matrix` as MatrixIndex gives it.
  void (*matrix)(uint32_t* pixels, size_t count, int matrix);
  // The same, telling `piece` each part as it is stored; null where the caller instead filters
  // short runs and tells each.
  void (*matrixTelling)(uint32_t* pixels, size_t count, int matrix, TFilteredPiece piece, void* context);
};

// Plain C++, the reference for the others.
extern const FilterKernels kPlainFilter;
// Null where the build has no such loops.
const FilterKernels* Sse2Filter();
const FilterKernels* Avx2Filter();

// Filters `count` contiguous pixels with the fastest loops the processor's features allow
// (base/Cpu.h); the tables must exist. `piece`, when given, is told as the pixels become final.
void FilterPixels(uint32_t* pixels, size_t count, TColorFilterMode mode, TFilteredPiece piece = nullptr,
                  void* context = nullptr);

// The reference: one pixel at a time through the integer tables.
void FilterPlain(uint32_t* pixels, size_t count, TColorFilterMode mode);

}  // namespace color_filter
