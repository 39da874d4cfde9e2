#include "view/ScalerRows.h"

#include "base/Cpu.h"
#include "base/Steps.h"

#ifdef GLIMMERLUX_X86_SIMD

#include <emmintrin.h>

// Every loop steps in whole vectors and leaves the row's last pixels, fewer than a step, to the
// plain kernels (base/Steps.h).
namespace scaler_rows {

namespace {

constexpr int kOutBits = kWeightBits + kMidBits;

__m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
__m128i Load64(const void* p) { return _mm_loadl_epi64(static_cast<const __m128i*>(p)); }
void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
__m128i Broadcast(uint32_t pair) { return _mm_set1_epi32(static_cast<int>(pair)); }

size_t Size(int count) { return count > 0 ? static_cast<size_t>(count) : 0; }
int Int(size_t n) { return static_cast<int>(n); }

// Replication is the paint's hottest loop at whole zooms, and its speed rode on where the
// linker happened to put it: unrelated changes moved the zoom-2 and zoom-4 paints by 15-20% on
// an AMD EPYC (Zen 5). Each loop has a function of its own that starts a cache line, so that its
// place no longer depends on what else is linked.
#define GLIMMERLUX_LINE_START [[gnu::noinline, gnu::aligned(64)]]

GLIMMERLUX_LINE_START void ReplicateThree(const uint32_t* source, int count, uint32_t* out) {
  ForEachStep<4>(
      Size(count),
      [&](size_t i) {
        const __m128i v = Load(source + i);
        Store(out + 3 * i, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 0, 0, 0)));
        Store(out + 3 * i + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 1, 1)));
        Store(out + 3 * i + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 2)));
      },
      [&](size_t at, size_t n) { kPortableRows.replicate(source + at, Int(n), 3, out + 3 * at); });
}

// One load and four shuffles per four pixels: the broadcast per pixel of ReplicateMany measured
// 15-20% slower at zoom 4.
GLIMMERLUX_LINE_START void ReplicateFour(const uint32_t* source, int count, uint32_t* out) {
  ForEachStep<4>(
      Size(count),
      [&](size_t i) {
        const __m128i v = Load(source + i);
        Store(out + 4 * i, _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 0, 0, 0)));
        Store(out + 4 * i + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 1, 1, 1)));
        Store(out + 4 * i + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 2, 2)));
        Store(out + 4 * i + 12, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 3)));
      },
      [&](size_t at, size_t n) { kPortableRows.replicate(source + at, Int(n), 4, out + 4 * at); });
}

// Read backwards, the last pixels left are the source's first.
GLIMMERLUX_LINE_START void ReplicateFourReversed(const uint32_t* source, int count, uint32_t* out) {
  ForEachStep<4>(
      Size(count),
      [&](size_t i) {
        const __m128i v = Load(source + count - 4 - i);
        Store(out + 4 * i, _mm_shuffle_epi32(v, _MM_SHUFFLE(3, 3, 3, 3)));
        Store(out + 4 * i + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 2, 2)));
        Store(out + 4 * i + 8, _mm_shuffle_epi32(v, _MM_SHUFFLE(1, 1, 1, 1)));
        Store(out + 4 * i + 12, _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 0, 0, 0)));
      },
      [&](size_t at, size_t n) { kPortableRows.replicateReversed(source, Int(n), 4, out + 4 * at); });
}

// Five or more: the last store of a block overlaps the one before it instead of running past
// the block. Read backwards, the pixels come out reversed.
template <int kStep>
void ReplicateMany(const uint32_t* source, int count, int factor, uint32_t* out) {
  const uint32_t* in = kStep > 0 ? source : source + count - 1;
  for (int i = 0; i < count; ++i, in += kStep, out += factor) {
    const __m128i v = _mm_set1_epi32(static_cast<int>(*in));
    for (int j = 0; j < factor - 4; j += 4) Store(out + j, v);
    Store(out + factor - 4, v);
  }
}

GLIMMERLUX_LINE_START void ReplicateManyForward(const uint32_t* source, int count, int factor, uint32_t* out) {
  ReplicateMany<1>(source, count, factor, out);
}

GLIMMERLUX_LINE_START void ReplicateManyReversed(const uint32_t* source, int count, int factor, uint32_t* out) {
  ReplicateMany<-1>(source, count, factor, out);
}

// Doubling, the hottest of them, comes first in the function and needs no further call.
[[gnu::aligned(64)]] void Replicate(const uint32_t* source, int count, int factor, uint32_t* out) {
  if (factor == 2) {
    ForEachStep<4>(
        Size(count),
        [&](size_t i) {
          const __m128i v = Load(source + i);
          Store(out + 2 * i, _mm_unpacklo_epi32(v, v));
          Store(out + 2 * i + 4, _mm_unpackhi_epi32(v, v));
        },
        [&](size_t at, size_t n) { kPortableRows.replicate(source + at, Int(n), 2, out + 2 * at); });
  } else if (factor == 3) {
    ReplicateThree(source, count, out);
  } else if (factor == 4) {
    ReplicateFour(source, count, out);
  } else if (factor >= 4) {
    ReplicateManyForward(source, count, factor, out);
  } else {
    kPortableRows.replicate(source, count, factor, out);
  }
}

void BoxRows(const uint32_t* const* rows, const uint32_t* weights, int pairs, int width, int16_t* mid) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i half = _mm_set1_epi32(kMidOne / 2);
  ForEachStep<4>(
      Size(width),
      [&](size_t x) {
        __m128i s0 = half, s1 = half, s2 = half, s3 = half;
        for (int j = 0; j < pairs; ++j) {
          const __m128i w = Broadcast(weights[j]);
          const __m128i a = Load(rows[2 * j] + x);
          const __m128i b = Load(rows[2 * j + 1] + x);
          // Interleaving the two rows byte by byte lines each byte up with its weight.
          const __m128i lo = _mm_unpacklo_epi8(a, b);
          const __m128i hi = _mm_unpackhi_epi8(a, b);
          s0 = _mm_add_epi32(s0, _mm_madd_epi16(_mm_unpacklo_epi8(lo, zero), w));
          s1 = _mm_add_epi32(s1, _mm_madd_epi16(_mm_unpackhi_epi8(lo, zero), w));
          s2 = _mm_add_epi32(s2, _mm_madd_epi16(_mm_unpacklo_epi8(hi, zero), w));
          s3 = _mm_add_epi32(s3, _mm_madd_epi16(_mm_unpackhi_epi8(hi, zero), w));
        }
        Store(mid + 4 * x, _mm_packs_epi32(_mm_srai_epi32(s0, kMidBits), _mm_srai_epi32(s1, kMidBits)));
        Store(mid + 4 * x + 8, _mm_packs_epi32(_mm_srai_epi32(s2, kMidBits), _mm_srai_epi32(s3, kMidBits)));
      },
      [&](size_t at, size_t) { BoxRowsFrom(rows, weights, pairs, Int(at), width, mid); });
}

void BoxColumns(const int16_t* mid, const BoxTap* taps, const uint32_t* weights, int count, uint32_t* out) {
  const __m128i half = _mm_set1_epi32(1 << (kOutBits - 1));
  for (int i = 0; i < count; ++i) {
    const BoxTap& tap = taps[i];
    const int16_t* m = mid + 4 * tap.first;
    const uint32_t* w = weights + tap.weightAt;
    __m128i sum = half;
    for (int j = 0; j < (tap.count + 1) / 2; ++j, m += 8) {
      const __m128i two = Load(m);
      sum = _mm_add_epi32(sum, _mm_madd_epi16(_mm_unpacklo_epi16(two, _mm_srli_si128(two, 8)), Broadcast(w[j])));
    }
    const __m128i words = _mm_packs_epi32(_mm_srai_epi32(sum, kOutBits), sum);
    out[i] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
  }
}

void BoxBlocks(const uint32_t* const* rows, int factor, int count, uint32_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const auto rest = [&](size_t at, size_t n) {
    const uint32_t* shifted[4] = {};
    for (int r = 0; r < factor; ++r) shifted[r] = rows[r] + factor * at;
    kPortableRows.boxBlocks(shifted, factor, Int(n), out + at);
  };
  if (factor == 2) {
    const __m128i two = _mm_set1_epi16(2);
    ForEachStep<4>(
        Size(count),
        [&](size_t i) {
          const __m128i a0 = Load(rows[0] + 2 * i), a1 = Load(rows[0] + 2 * i + 4);
          const __m128i b0 = Load(rows[1] + 2 * i), b1 = Load(rows[1] + 2 * i + 4);
          // Column sums of pixels 0 1 | 2 3 | 4 5 | 6 7, then neighbours added across the halves.
          const __m128i s01 = _mm_add_epi16(_mm_unpacklo_epi8(a0, zero), _mm_unpacklo_epi8(b0, zero));
          const __m128i s23 = _mm_add_epi16(_mm_unpackhi_epi8(a0, zero), _mm_unpackhi_epi8(b0, zero));
          const __m128i s45 = _mm_add_epi16(_mm_unpacklo_epi8(a1, zero), _mm_unpacklo_epi8(b1, zero));
          const __m128i s67 = _mm_add_epi16(_mm_unpackhi_epi8(a1, zero), _mm_unpackhi_epi8(b1, zero));
          const __m128i q0 = _mm_add_epi16(_mm_unpacklo_epi64(s01, s23), _mm_unpackhi_epi64(s01, s23));
          const __m128i q1 = _mm_add_epi16(_mm_unpacklo_epi64(s45, s67), _mm_unpackhi_epi64(s45, s67));
          Store(out + i,
                _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(q0, two), 2), _mm_srli_epi16(_mm_add_epi16(q1, two), 2)));
        },
        rest);
  } else if (factor == 4) {
    const __m128i eight = _mm_set1_epi16(8);
    ForEachStep<2>(
        Size(count),
        [&](size_t i) {
          __m128i s01 = zero, s23 = zero, s45 = zero, s67 = zero;
          for (int r = 0; r < 4; ++r) {
            const __m128i lo = Load(rows[r] + 4 * i), hi = Load(rows[r] + 4 * i + 4);
            s01 = _mm_add_epi16(s01, _mm_unpacklo_epi8(lo, zero));
            s23 = _mm_add_epi16(s23, _mm_unpackhi_epi8(lo, zero));
            s45 = _mm_add_epi16(s45, _mm_unpacklo_epi8(hi, zero));
            s67 = _mm_add_epi16(s67, _mm_unpackhi_epi8(hi, zero));
          }
          const __m128i a = _mm_add_epi16(s01, s23);
          const __m128i b = _mm_add_epi16(s45, s67);
          __m128i q = _mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b));
          q = _mm_srli_epi16(_mm_add_epi16(q, eight), 4);
          _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(q, q));
        },
        rest);
  } else {
    kPortableRows.boxBlocks(rows, factor, count, out);
  }
}

// Per fraction: the left pixel's weight four times, then the right pixel's.
struct LerpWeights {
  int16_t w[kLerpOne + 1][8];
};
constexpr LerpWeights MakeLerpWeights() {
  LerpWeights t{};
  for (int f = 0; f <= kLerpOne; ++f) {
    for (int c = 0; c < 4; ++c) {
      t.w[f][c] = static_cast<int16_t>(kLerpOne - f);
      t.w[f][4 + c] = static_cast<int16_t>(f);
    }
  }
  return t;
}
alignas(16) constexpr LerpWeights kLerpWeights = MakeLerpWeights();

// Two taps' neighbour pairs widened to words and weighted, then left and right added.
__m128i LerpTwo(const uint32_t* source, const LerpTap* t) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i p = _mm_unpacklo_epi64(Load64(source + t[0].left), Load64(source + t[1].left));
  const __m128i a = _mm_mullo_epi16(_mm_unpacklo_epi8(p, zero), Load(kLerpWeights.w[t[0].fraction]));
  const __m128i b = _mm_mullo_epi16(_mm_unpackhi_epi8(p, zero), Load(kLerpWeights.w[t[1].fraction]));
  return _mm_add_epi16(_mm_unpacklo_epi64(a, b), _mm_unpackhi_epi64(a, b));
}

void LerpColumns(const uint32_t* source, int sourceWidth, const LerpTap* taps, int count, uint32_t* out) {
  if (sourceWidth < 2) {
    kPortableRows.lerpColumns(source, sourceWidth, taps, count, out);
    return;
  }
  const __m128i half = _mm_set1_epi16(kLerpOne / 2);
  ForEachStep<4>(
      Size(count),
      [&](size_t i) {
        const __m128i a = _mm_srli_epi16(_mm_add_epi16(LerpTwo(source, taps + i), half), kLerpBits);
        const __m128i b = _mm_srli_epi16(_mm_add_epi16(LerpTwo(source, taps + i + 2), half), kLerpBits);
        Store(out + i, _mm_packus_epi16(a, b));
      },
      [&](size_t at, size_t n) { kPortableRows.lerpColumns(source, sourceWidth, taps + at, Int(n), out + at); });
}

void LerpRows(const uint32_t* upper, const uint32_t* lower, int lowerWeight, int count, uint32_t* out) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i wu = _mm_set1_epi16(static_cast<int16_t>(kLerpOne - lowerWeight));
  const __m128i wl = _mm_set1_epi16(static_cast<int16_t>(lowerWeight));
  const __m128i half = _mm_set1_epi16(kLerpOne / 2);
  ForEachStep<4>(
      Size(count),
      [&](size_t i) {
        const __m128i u = Load(upper + i), l = Load(lower + i);
        const __m128i lo = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(u, zero), wu),
                                         _mm_mullo_epi16(_mm_unpacklo_epi8(l, zero), wl));
        const __m128i hi = _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(u, zero), wu),
                                         _mm_mullo_epi16(_mm_unpackhi_epi8(l, zero), wl));
        Store(out + i, _mm_packus_epi16(_mm_srli_epi16(_mm_add_epi16(lo, half), kLerpBits),
                                        _mm_srli_epi16(_mm_add_epi16(hi, half), kLerpBits)));
      },
      [&](size_t at, size_t n) { kPortableRows.lerpRows(upper + at, lower + at, lowerWeight, Int(n), out + at); });
}

void Reverse(const uint32_t* source, int count, uint32_t* out) {
  ForEachStep<4>(
      Size(count),
      [&](size_t i) { Store(out + i, _mm_shuffle_epi32(Load(source + count - 4 - i), _MM_SHUFFLE(0, 1, 2, 3))); },
      [&](size_t at, size_t n) { kPortableRows.reverse(source, Int(n), out + at); });
}

[[gnu::aligned(64)]] void ReplicateReversed(const uint32_t* source, int count, int factor, uint32_t* out) {
  if (factor == 2) {
    ForEachStep<4>(
        Size(count),
        [&](size_t i) {
          const __m128i v = Load(source + count - 4 - i);
          Store(out + 2 * i, _mm_shuffle_epi32(v, _MM_SHUFFLE(2, 2, 3, 3)));
          Store(out + 2 * i + 4, _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 0, 1, 1)));
        },
        [&](size_t at, size_t n) { kPortableRows.replicateReversed(source, Int(n), 2, out + 2 * at); });
  } else if (factor == 4) {
    ReplicateFourReversed(source, count, out);
  } else if (factor >= 4) {
    ReplicateManyReversed(source, count, factor, out);
  } else {
    kPortableRows.replicateReversed(source, count, factor, out);
  }
}

const RowKernels kSse2Rows = {Replicate, BoxRows,           BoxColumns,
                              BoxBlocks, LerpColumns,       LerpRows,
                              Reverse,   ReplicateReversed, scaler_rows::PickColumns};

}  // namespace

const RowKernels* Sse2Rows() { return &kSse2Rows; }

}  // namespace scaler_rows

#else

namespace scaler_rows {
const RowKernels* Sse2Rows() { return nullptr; }
}  // namespace scaler_rows

#endif
