#include "view/ScalerRows.h"

#include <cstddef>
#include <cstdint>

#include "base/Cpu.h"
#include "base/Steps.h"

#ifdef GLIMMERLUX_X86_SIMD

#include <immintrin.h>

// The kernels that gain most from 256-bit vectors; the rest come from the SSE2 set. Same
// arithmetic, same bytes.

namespace scaler_rows {

namespace {

// Helpers are always inlined (GLIMMERLUX_AVX2_INLINE): anything that takes or returns a 256-bit
// value and is not inlined passes it on the stack, which 64-bit Windows does not align to 32
// bytes. Loops run whole steps, never a clamped index on every pass, and leave a row's last
// pixels to the plain kernels (base/Steps.h).

size_t Size(int count) { return count > 0 ? static_cast<size_t>(count) : 0; }
int Int(size_t n) { return static_cast<int>(n); }

constexpr uintptr_t kAhead = 1024;

// Eight outputs of a halving from pixels 2 i.. of both rows.
GLIMMERLUX_AVX2_INLINE void HalveEight(const uint32_t* const* rows, int i, uint32_t* out) {
  // Bytes of each pixel pair reordered to B0 B1 G0 G1 R0 R1 X0 X1, so that one multiply-add
  // by ones sums the pair channel by channel.
  const __m256i pairUp = _mm256_setr_epi8(0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15,  //
                                          0, 4, 1, 5, 2, 6, 3, 7, 8, 12, 9, 13, 10, 14, 11, 15);
  const __m256i ones = _mm256_set1_epi8(1);
  const __m256i two = _mm256_set1_epi16(2);
  const uint32_t* a = rows[0] + 2 * i;
  const uint32_t* b = rows[1] + 2 * i;
  // Reading ahead of both rows keeps this memory-bound loop fed; a prefetch never faults.
  _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(a) + kAhead), _MM_HINT_T0);
  _mm_prefetch(reinterpret_cast<const char*>(reinterpret_cast<uintptr_t>(b) + kAhead), _MM_HINT_T0);
  const __m256i a0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
  const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
  const __m256i a1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + 8));
  const __m256i b1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + 8));
  const __m256i s0 = _mm256_add_epi16(_mm256_maddubs_epi16(_mm256_shuffle_epi8(a0, pairUp), ones),
                                      _mm256_maddubs_epi16(_mm256_shuffle_epi8(b0, pairUp), ones));
  const __m256i s1 = _mm256_add_epi16(_mm256_maddubs_epi16(_mm256_shuffle_epi8(a1, pairUp), ones),
                                      _mm256_maddubs_epi16(_mm256_shuffle_epi8(b1, pairUp), ones));
  const __m256i packed = _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(s0, two), 2),
                                             _mm256_srli_epi16(_mm256_add_epi16(s1, two), 2));
  // Packing works within each 128-bit half; the permute puts the quarters back in order.
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_permute4x64_epi64(packed, _MM_SHUFFLE(3, 1, 2, 0)));
}

// Four outputs of a quartering from pixels 4 i.. of the four rows.
GLIMMERLUX_AVX2_INLINE void QuarterFour(const uint32_t* const* rows, int i, uint32_t* out) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i eight = _mm256_set1_epi16(8);
  __m256i s01 = zero, s23 = zero, s45 = zero, s67 = zero;
  for (int r = 0; r < 4; ++r) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[r] + 4 * i));
    const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(rows[r] + 4 * i + 8));
    s01 = _mm256_add_epi16(s01, _mm256_unpacklo_epi8(lo, zero));
    s23 = _mm256_add_epi16(s23, _mm256_unpackhi_epi8(lo, zero));
    s45 = _mm256_add_epi16(s45, _mm256_unpacklo_epi8(hi, zero));
    s67 = _mm256_add_epi16(s67, _mm256_unpackhi_epi8(hi, zero));
  }
  const __m256i a = _mm256_add_epi16(s01, s23);
  const __m256i b = _mm256_add_epi16(s45, s67);
  __m256i q = _mm256_add_epi16(_mm256_unpacklo_epi64(a, b), _mm256_unpackhi_epi64(a, b));
  q = _mm256_packus_epi16(_mm256_srli_epi16(_mm256_add_epi16(q, eight), 4), zero);
  // Outputs 0 and 2 sit in the low half, 1 and 3 in the high half.
  const __m128i interleaved = _mm_unpacklo_epi32(_mm256_castsi256_si128(q), _mm256_extracti128_si256(q, 1));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), interleaved);
}

GLIMMERLUX_AVX2 void BoxBlocks(const uint32_t* const* rows, int factor, int count, uint32_t* out) {
  const auto rest = [&](size_t at, size_t n) {
    const uint32_t* shifted[4] = {};
    for (int r = 0; r < factor; ++r) shifted[r] = rows[r] + factor * at;
    kPortableRows.boxBlocks(shifted, factor, Int(n), out + at);
  };
  if (factor == 2) {
    ForEachStep<8>(
        Size(count), [&](size_t i) GLIMMERLUX_AVX2_LAMBDA { HalveEight(rows, Int(i), out); }, rest);
  } else if (factor == 4) {
    ForEachStep<4>(
        Size(count), [&](size_t i) GLIMMERLUX_AVX2_LAMBDA { QuarterFour(rows, Int(i), out); }, rest);
  } else {
    kPortableRows.boxBlocks(rows, factor, count, out);
  }
}

// Output pixels i..i+7 of a row enlarged across. Eight outputs mostly read few neighbouring
// source pixels (at 1.5 and more, at most nine): two loads a pixel apart, one permute of each for
// the left and right pixels, then l + (((r - l) * f + 64) >> 7), which is
// (l * (128 - f) + r * f + 64) >> 7 exactly. Blocks whose lefts spread over more than eight
// pixels, or whose loads would pass the row's end, go the SSE2 way.
GLIMMERLUX_AVX2_INLINE void LerpColumnsEight(const uint32_t* source, int sourceWidth, const LerpTap* taps, int i,
                                             uint32_t* out) {
  const __m256i zero = _mm256_setzero_si256();
  // mulhrs(2 d, f << (14 - kLerpBits)) is (d * f + kLerpOne / 2) >> kLerpBits, rounded down, in
  // fewer instructions than the multiply, add and shift; the fraction reaches kLerpOne at a row's
  // end, so d is doubled rather than f.
  const __m256i bothWordsScaled = _mm256_set1_epi32(0x00010001 << (14 - kLerpBits));
  const __m256i seven = _mm256_set1_epi32(7);
  static_assert(kLerpOne << (14 - kLerpBits) <= INT16_MAX, "a scaled fraction fits a 16-bit lane");
  const int base = taps[i].left;
  // Taps are (left, fraction) pairs: the lefts are the even words of the two loads, the
  // fractions the odd ones; the shuffle leaves them in the order 0 1 4 5 2 3 6 7.
  const __m256 t0 = _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(taps + i)));
  const __m256 t1 = _mm256_castsi256_ps(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(taps + i + 4)));
  const __m256i lefts = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(t0, t1, 0x88)), 0xD8);
  const __m256i at = _mm256_sub_epi32(lefts, _mm256_set1_epi32(base));
  // Every left within 0..7 of the first (as unsigned, below zero is far above), and both loads
  // inside the row.
  const bool near = _mm256_movemask_epi8(_mm256_cmpeq_epi32(_mm256_max_epu32(at, seven), seven)) == -1;
  if (near && base + 9 <= sourceWidth) {
    const __m256i fractions = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(t0, t1, 0xDD)), 0xD8);
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + base));
    const __m256i l = _mm256_permutevar8x32_epi32(pixels, at);
    const __m256i r =
        _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + base + 1)), at);
    // Each pixel's fraction in all four of its channel words, laid out as the unpacks lay
    // out the pixels: 0 1 | 4 5 from the low halves, 2 3 | 6 7 from the high ones.
    const __m256i f = _mm256_mullo_epi32(fractions, bothWordsScaled);
    const __m256i fLow = _mm256_unpacklo_epi32(f, f);
    const __m256i fHigh = _mm256_unpackhi_epi32(f, f);
    const __m256i lLow = _mm256_unpacklo_epi8(l, zero);
    const __m256i lHigh = _mm256_unpackhi_epi8(l, zero);
    const __m256i dLow = _mm256_sub_epi16(_mm256_unpacklo_epi8(r, zero), lLow);
    const __m256i dHigh = _mm256_sub_epi16(_mm256_unpackhi_epi8(r, zero), lHigh);
    const __m256i low = _mm256_add_epi16(lLow, _mm256_mulhrs_epi16(_mm256_add_epi16(dLow, dLow), fLow));
    const __m256i high = _mm256_add_epi16(lHigh, _mm256_mulhrs_epi16(_mm256_add_epi16(dHigh, dHigh), fHigh));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), _mm256_packus_epi16(low, high));
  } else {
    Sse2Rows()->lerpColumns(source, sourceWidth, taps + i, 8, out + i);
  }
}

GLIMMERLUX_AVX2 void LerpColumnsAvx2(const uint32_t* source, int sourceWidth, const LerpTap* taps, int count,
                                     uint32_t* out) {
  if (sourceWidth < 2) {
    kPortableRows.lerpColumns(source, sourceWidth, taps, count, out);
    return;
  }
  ForEachStep<8>(
      Size(count), [&](size_t i) GLIMMERLUX_AVX2_LAMBDA { LerpColumnsEight(source, sourceWidth, taps, Int(i), out); },
      [&](size_t at, size_t n) { kPortableRows.lerpColumns(source, sourceWidth, taps + at, Int(n), out + at); });
}

// Eight pixels of the two rows blended by `w`, rounded.
GLIMMERLUX_AVX2_INLINE void LerpEight(const uint32_t* upper, const uint32_t* lower, __m256i w, __m256i roundingShift,
                                      uint32_t* out) {
  const __m256i u = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(upper));
  const __m256i l = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lower));
  const __m256i lo = _mm256_maddubs_epi16(_mm256_unpacklo_epi8(u, l), w);
  const __m256i hi = _mm256_maddubs_epi16(_mm256_unpackhi_epi8(u, l), w);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_packus_epi16(_mm256_mulhrs_epi16(lo, roundingShift),
                                                                           _mm256_mulhrs_epi16(hi, roundingShift)));
}

// Both weights fit a signed byte because the caller copies rows of weight 0 instead.
GLIMMERLUX_AVX2 void LerpRows(const uint32_t* upper, const uint32_t* lower, int lowerWeight, int count, uint32_t* out) {
  const __m256i w = _mm256_set1_epi16(static_cast<int16_t>((kLerpOne - lowerWeight) | (lowerWeight << 8)));
  // mulhrs by 1 << (15 - kLerpBits) is the rounding shift (x + kLerpOne / 2) >> kLerpBits in one
  // instruction; the sums stay below 255 * kLerpOne, so signed is as good as unsigned.
  const __m256i roundingShift = _mm256_set1_epi16(1 << (15 - kLerpBits));
  ForEachStep<16>(
      Size(count),
      [&](size_t i) GLIMMERLUX_AVX2_LAMBDA {
        LerpEight(upper + i, lower + i, w, roundingShift, out + i);
        LerpEight(upper + i + 8, lower + i + 8, w, roundingShift, out + i + 8);
      },
      [&](size_t at, size_t n) { kPortableRows.lerpRows(upper + at, lower + at, lowerWeight, Int(n), out + at); });
}

// Each block's span loaded whole, two or four vectors; each vector permuted to where its
// columns go, then blended by which vector a column comes from.
GLIMMERLUX_AVX2 void PickColumnsAvx2(const uint32_t* source, const int32_t* offsets, int span, int blocks,
                                     uint32_t* out, const uint32_t* next) {
  const __m256i at = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(offsets));
  const __m256i lane = _mm256_and_si256(at, _mm256_set1_epi32(7));
  const __m256i vector = _mm256_srli_epi32(at, 3);
  const __m256i inOdd = _mm256_slli_epi32(vector, 31);  // blendv reads the top bit
  const __m256i inUpperPair = _mm256_slli_epi32(vector, 30);
  for (int b = 0; b < blocks; ++b) {
    const uint32_t* s = source + static_cast<std::ptrdiff_t>(b) * span;
    if (next != nullptr) {
      const uint32_t* ahead = next + static_cast<std::ptrdiff_t>(b) * span;
      _mm_prefetch(reinterpret_cast<const char*>(ahead), _MM_HINT_T0);
      if (span == 32) _mm_prefetch(reinterpret_cast<const char*>(ahead + 16), _MM_HINT_T0);
    }
    const __m256i v0 = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s)), lane);
    const __m256i v1 = _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 8)), lane);
    __m256i picked = _mm256_castps_si256(
        _mm256_blendv_ps(_mm256_castsi256_ps(v0), _mm256_castsi256_ps(v1), _mm256_castsi256_ps(inOdd)));
    if (span == 32) {
      const __m256i v2 =
          _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 16)), lane);
      const __m256i v3 =
          _mm256_permutevar8x32_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + 24)), lane);
      const __m256i upper = _mm256_castps_si256(
          _mm256_blendv_ps(_mm256_castsi256_ps(v2), _mm256_castsi256_ps(v3), _mm256_castsi256_ps(inOdd)));
      picked = _mm256_castps_si256(
          _mm256_blendv_ps(_mm256_castsi256_ps(picked), _mm256_castsi256_ps(upper), _mm256_castsi256_ps(inUpperPair)));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + static_cast<std::ptrdiff_t>(b) * 8), picked);
  }
}

}  // namespace

const RowKernels* Avx2Rows() {
  static const RowKernels rows = [] {
    RowKernels k = *Sse2Rows();
    k.boxBlocks = BoxBlocks;
    k.lerpRows = LerpRows;
    k.pickColumns = PickColumnsAvx2;
    k.lerpColumns = LerpColumnsAvx2;
    return k;
  }();
  return &rows;
}

}  // namespace scaler_rows

#else

namespace scaler_rows {
const RowKernels* Avx2Rows() { return nullptr; }
}  // namespace scaler_rows

#endif
