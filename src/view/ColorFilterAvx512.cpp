#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/ColorFilterInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

// GCC 12 reports its own AVX-512 header's "undefined" vectors as used uninitialised (GCC bug
// 105593, mended in 13).
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace color_filter {

namespace {

// The AVX2 loop's operations on 512-bit vectors, thirty-two pixels a step (AVX-512 BW). Everything
// taking or giving 512-bit values is inlined (GLIMMERLUX_AVX512_INLINE).

using Vec = __m512i;
constexpr size_t kStep = 32;
constexpr size_t kBlock = 64;  // checked for one colour, and told, at a time

// Per 128-bit lane, the eight pixels of the two loads' halves sorted by channel in three rounds
// of interleaving and widened to 16 bits: blue, green, red, fourth byte.
struct Planes {
  Vec channel[4];
};

GLIMMERLUX_AVX512_INLINE Planes Split(Vec p0, Vec p1) {
  const Vec t0 = _mm512_unpacklo_epi8(p0, p1);
  const Vec t1 = _mm512_unpackhi_epi8(p0, p1);
  const Vec t2 = _mm512_unpacklo_epi8(t0, t1);
  const Vec t3 = _mm512_unpackhi_epi8(t0, t1);
  const Vec blueGreen = _mm512_unpacklo_epi8(t2, t3);
  const Vec redFourth = _mm512_unpackhi_epi8(t2, t3);
  const Vec zero = _mm512_setzero_si512();
  return {{_mm512_unpacklo_epi8(blueGreen, zero), _mm512_unpackhi_epi8(blueGreen, zero),
           _mm512_unpacklo_epi8(redFourth, zero), _mm512_unpackhi_epi8(redFourth, zero)}};
}

// Each entry's step and fraction in every lane.
struct Coefficients {
  Vec step[kMatrixEntries];
  Vec fraction[kMatrixEntries];
};

GLIMMERLUX_AVX512_INLINE Coefficients CoefficientsOf(const MatrixMultipliers& m) {
  Coefficients c;
  for (int e = 0; e < kMatrixEntries; ++e) {
    c.step[e] = _mm512_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier >> kMultiplierShift));
    c.fraction[e] = _mm512_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier & 0xFFFF));
  }
  return c;
}

// (v multiplier + 2^15) >> 16: step v, and v fraction / 2^16 rounded by averaging with zero.
GLIMMERLUX_AVX512_INLINE Vec Product(Vec v, Vec twice, Vec step, Vec fraction) {
  const Vec rounded = _mm512_avg_epu16(_mm512_mulhi_epu16(twice, fraction), _mm512_setzero_si512());
  return _mm512_add_epi16(_mm512_mullo_epi16(v, step), rounded);
}

// One output channel: its products below 256 v, summed with saturation, / 256, then its whole
// multiples of the inputs.
template <int kMatrix, int kOut>
GLIMMERLUX_AVX512_INLINE Vec Output(const Planes& in, const Vec (&twice)[3], const Coefficients& c) {
  constexpr int kFirst = FirstFraction(kMatrix, kOut);
  Vec out = _mm512_setzero_si512();
  if constexpr (kFirst < 3) {
    Vec sum =
        Product(in.channel[kFirst], twice[kFirst], c.step[EntryOf(kOut, kFirst)], c.fraction[EntryOf(kOut, kFirst)]);
    for (int i = kFirst + 1; i < 3; ++i) {
      const int e = EntryOf(kOut, i);
      if (HasFraction(kMatrix, e)) {
        sum = _mm512_adds_epu16(sum, Product(in.channel[i], twice[i], c.step[e], c.fraction[e]));
      }
    }
    out = _mm512_srli_epi16(sum, 8);
  }
  for (int i = 0; i < 3; ++i) {
    const int whole = WholeOf(kMatrix, EntryOf(kOut, i));
    if (whole > 0) out = _mm512_add_epi16(out, in.channel[i]);
    if (whole < 0) out = _mm512_sub_epi16(out, in.channel[i]);
  }
  return out;
}

// Sixteen pixels filtered in place, their fourth bytes kept.
template <int kMatrix>
GLIMMERLUX_AVX512_INLINE void FilterStep(uint32_t* pixels, const Coefficients& c) {
  auto* at = reinterpret_cast<Vec*>(pixels);
  const Planes in = Split(_mm512_loadu_si512(at), _mm512_loadu_si512(at + 1));
  Vec twice[3];
  for (int i = 0; i < 3; ++i) twice[i] = _mm512_add_epi16(in.channel[i], in.channel[i]);
  Vec out[3];
  out[0] = Output<kMatrix, 0>(in, twice, c);
  out[1] = SameAsRowBefore(kMatrix, 1) ? out[0] : Output<kMatrix, 1>(in, twice, c);
  out[2] = SameAsRowBefore(kMatrix, 2) ? out[1] : Output<kMatrix, 2>(in, twice, c);
  // Back into pixels, the clamp to bytes in the packing: the interleaving above undone.
  const Vec blueGreen = _mm512_packus_epi16(out[0], out[1]);
  const Vec redFourth = _mm512_packus_epi16(out[2], in.channel[3]);
  const Vec u0 = _mm512_unpacklo_epi8(blueGreen, redFourth);
  const Vec u1 = _mm512_unpackhi_epi8(blueGreen, redFourth);
  _mm512_storeu_si512(at, _mm512_unpacklo_epi8(u0, u1));
  _mm512_storeu_si512(at + 1, _mm512_unpackhi_epi8(u0, u1));
}

// A block of one colour, as in the AVX2 loop.
GLIMMERLUX_AVX512_INLINE bool AllFlat(const uint32_t* block) {
  const Vec first = _mm512_set1_epi32(static_cast<int>(block[0]));
  const Vec color = _mm512_set1_epi32(0x00FFFFFF);
  const auto* at = reinterpret_cast<const Vec*>(block);
  if (_mm512_test_epi32_mask(_mm512_xor_si512(_mm512_loadu_si512(at), first), color) != 0) return false;
  Vec diff = _mm512_setzero_si512();
  for (size_t j = 1; j < kBlock / 16; ++j)
    diff = _mm512_or_si512(diff, _mm512_xor_si512(_mm512_loadu_si512(at + j), first));
  return _mm512_test_epi32_mask(diff, color) == 0;
}

// The block's first step filtered, its colour over the rest, keeping the fourth bytes.
template <int kMatrix>
GLIMMERLUX_AVX512_INLINE void FilterFlat(uint32_t* block, const Coefficients& c) {
  FilterStep<kMatrix>(block, c);
  const Vec out = _mm512_set1_epi32(static_cast<int>(block[0] & 0x00FFFFFFu));
  const Vec fourth = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
  auto* at = reinterpret_cast<Vec*>(block);
  for (size_t j = kStep / 16; j < kBlock / 16; ++j) {
    _mm512_storeu_si512(at + j, _mm512_or_si512(out, _mm512_and_si512(_mm512_loadu_si512(at + j), fourth)));
  }
}

template <int kMatrix>
struct Matrix {
  GLIMMERLUX_AVX512 static void Run(uint32_t* pixels, size_t count, FilteredPiece piece, void* context) {
    const Coefficients c = CoefficientsOf(Multipliers(kMatrix));
    const auto told = [&](size_t from, size_t n) {
      if (piece != nullptr) piece(context, from, from + n);
    };
    ForEachStep<kBlock>(
        count,
        [&](size_t at) GLIMMERLUX_AVX512_LAMBDA {
          uint32_t* block = pixels + at;
          if (AllFlat(block)) {
            FilterFlat<kMatrix>(block, c);
          } else {
            for (size_t j = 0; j < kBlock; j += kStep) FilterStep<kMatrix>(block + j, c);
          }
          told(at, kBlock);
        },
        [&](size_t at, size_t n) GLIMMERLUX_AVX512_LAMBDA {
          ForEachStep<kStep>(
              n,
              [&](size_t i) GLIMMERLUX_AVX512_LAMBDA {
                FilterStep<kMatrix>(pixels + at + i, c);
                told(at + i, kStep);
              },
              [&](size_t i, size_t m) {
                kPlainFilter.matrix[kMatrix](pixels + at + i, m, nullptr, nullptr);
                told(at + i, m);
              });
        });
  }
};

}  // namespace

const FilterKernels* Avx512Filter() {
  static const FilterKernels loops = {Sse2Filter()->invert,
                                      {Matrix<0>::Run, Matrix<1>::Run, Matrix<2>::Run, Matrix<3>::Run, Matrix<4>::Run,
                                       Matrix<5>::Run, Matrix<6>::Run, Matrix<7>::Run}};
  return &loops;
}

}  // namespace color_filter

#else

namespace color_filter {
const FilterKernels* Avx512Filter() { return nullptr; }
}  // namespace color_filter

#endif
