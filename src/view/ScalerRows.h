#pragma once

#include <cstdint>

// Row kernels of the scaler. All arithmetic is integer and every kernel set gives the same
// bytes, so the picture is identical whatever the processor. The fourth byte of a pixel is
// filtered like the three colour bytes.
// Averaging passes through "mid" rows of one int16 per byte, holding the value times kMidOne.
// Interpolating passes through rows of pixels interpolated across, rounded to bytes.
namespace scaler_rows {

inline constexpr int kWeightBits = 14;
inline constexpr int kWeightOne = 1 << kWeightBits;
inline constexpr int kMidBits = 7;
inline constexpr int kMidOne = 1 << kMidBits;
// Interpolation positions in 1/128 of a source pixel, across and down.
inline constexpr int kLerpBits = 7;
inline constexpr int kLerpOne = 1 << kLerpBits;

// Box weights go in pairs packed into one word (first in the low half), the way the SIMD code
// multiplies them; an odd tap count ends with a pair whose second weight is 0. The weights of
// one output pixel add up to exactly kWeightOne, so a flat colour stays flat.
inline uint32_t PackPair(int first, int second) {
  return static_cast<uint32_t>(first) | (static_cast<uint32_t>(second) << 16);
}

// `count` inputs from `first` on, weighted by (count + 1) / 2 pairs from `weightAt` on.
struct BoxTap {
  int32_t first = 0;
  int32_t count = 0;
  int32_t weightAt = 0;
};

// Source columns `left` and `left + 1`, the second weighing fraction / kLerpOne.
struct LerpTap {
  int32_t left = 0;
  int32_t fraction = 0;
};

// The plain pickColumns, which the SSE2 set shares.
void PickColumns(const uint32_t* source, const int32_t* offsets, int span, int blocks, uint32_t* out,
                 const uint32_t* next);
// `next`, when not null, is the source row wanted after this one, to be read ahead.
void Gather(const uint32_t* source, const int32_t* index, int count, uint32_t* out, const uint32_t* next);

struct RowKernels {
  // Writes each of `count` pixels `factor` times in a row.
  void (*replicate)(const uint32_t* source, int count, int factor, uint32_t* out);
  // Weighted sum of rows, `width` pixels, into a mid row. `rows` holds 2 * pairs pointers
  // (an odd count repeats its last row under weight 0).
  void (*boxRows)(const uint32_t* const* rows, const uint32_t* weights, int pairs, int width, int16_t* mid);
  // Each output pixel sums its tap's mid pixels. `mid` must hold one readable pixel past the
  // last one a tap covers, for the zero-weighted partner of an odd count.
  void (*boxColumns)(const int16_t* mid, const BoxTap* taps, const uint32_t* weights, int count, uint32_t* out);
  // Averages `factor` x `factor` blocks (factor 2 or 4) of the `factor` rows into `count`
  // pixels: the same bytes as boxRows and boxColumns with equal weights, in far less time.
  void (*boxBlocks)(const uint32_t* const* rows, int factor, int count, uint32_t* out);
  // Reads `left + 1` even under weight 0 when the source has two pixels or more; a one-pixel
  // source needs every fraction 0.
  void (*lerpColumns)(const uint32_t* source, int sourceWidth, const LerpTap* taps, int count, uint32_t* out);
  // `lowerWeight` in [1, kLerpOne).
  void (*lerpRows)(const uint32_t* upper, const uint32_t* lower, int lowerWeight, int count, uint32_t* out);
  // `count` pixels in the opposite order; `source` and `out` do not overlap.
  void (*reverse)(const uint32_t* source, int count, uint32_t* out);
  // What replicate writes for the reversed `count` pixels, in one pass.
  void (*replicateReversed)(const uint32_t* source, int count, int factor, uint32_t* out);
  // Shrinking without smoothing by a half or a quarter picks the same eight columns from every
  // `span` (16 or 32) source pixels: out[8 b + j] = source[span b + offsets[j]], offsets in
  // [0, span), for `blocks` blocks, each reading its whole span. `next` as for Gather.
  void (*pickColumns)(const uint32_t* source, const int32_t* offsets, int span, int blocks, uint32_t* out,
                      const uint32_t* next);
};

// Plain C++, the reference for the others.
extern const RowKernels kPortableRows;
// Null where the build has no such set.
const RowKernels* Sse2Rows();
const RowKernels* Avx2Rows();
// The plain boxRows from pixel `from` of the rows on, into the same places of `mid`.
void BoxRowsFrom(const uint32_t* const* rows, const uint32_t* weights, int pairs, int from, int width, int16_t* mid);
// The fastest set the processor's features allow (base/Cpu.h).
const RowKernels& Rows();

// Pixels [left, right) of a row scaled by the whole zoom k from `in`; blocks cut at either end
// pixel by pixel, whole blocks by the kernels.
void ReplicateSpan(const RowKernels& kernels, const uint32_t* in, int left, int right, int k, uint32_t* out);
// The same for the row reversed, read straight from `in`, which holds `width` pixels.
void ReplicateSpanReversed(const RowKernels& kernels, const uint32_t* in, int width, int left, int right, int k,
                           uint32_t* out);

}  // namespace scaler_rows
