#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/ColorFilterInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

namespace color_filter {

namespace {

// Sixteen pixels a step, each channel in a 16-bit lane, every product computed in registers
// (ColorFilterInternal.h); the same operations as the SSE2 and AVX-512 loops, 128-bit half by
// half. Everything taking or giving 256-bit values is inlined (GLIMMERLUX_AVX2_INLINE).

using Vec = __m256i;
constexpr size_t kStep = 16;
constexpr size_t kBlock = 64;  // checked for one colour, and told, at a time

// Per 128-bit half, the eight pixels of the two loads' halves sorted by channel in three rounds
// of interleaving and widened to 16 bits: blue, green, red, fourth byte.
struct Planes {
  Vec channel[4];
};

GLIMMERLUX_AVX2_INLINE Planes Split(Vec p0, Vec p1) {
  const Vec t0 = _mm256_unpacklo_epi8(p0, p1);
  const Vec t1 = _mm256_unpackhi_epi8(p0, p1);
  const Vec t2 = _mm256_unpacklo_epi8(t0, t1);
  const Vec t3 = _mm256_unpackhi_epi8(t0, t1);
  const Vec blueGreen = _mm256_unpacklo_epi8(t2, t3);
  const Vec redFourth = _mm256_unpackhi_epi8(t2, t3);
  const Vec zero = _mm256_setzero_si256();
  return {{_mm256_unpacklo_epi8(blueGreen, zero), _mm256_unpackhi_epi8(blueGreen, zero),
           _mm256_unpacklo_epi8(redFourth, zero), _mm256_unpackhi_epi8(redFourth, zero)}};
}

// Each entry's step and fraction in every lane.
struct Coefficients {
  Vec step[kMatrixEntries];
  Vec fraction[kMatrixEntries];
};

GLIMMERLUX_AVX2_INLINE Coefficients CoefficientsOf(const MatrixMultipliers& m) {
  Coefficients c;
  for (int e = 0; e < kMatrixEntries; ++e) {
    c.step[e] = _mm256_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier >> kMultiplierShift));
    c.fraction[e] = _mm256_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier & 0xFFFF));
  }
  return c;
}

// (v multiplier + 2^15) >> 16: step v, and v fraction / 2^16 rounded by averaging with zero.
GLIMMERLUX_AVX2_INLINE Vec Product(Vec v, Vec twice, Vec step, Vec fraction) {
  const Vec rounded = _mm256_avg_epu16(_mm256_mulhi_epu16(twice, fraction), _mm256_setzero_si256());
  return _mm256_add_epi16(_mm256_mullo_epi16(v, step), rounded);
}

// One output channel: its products below 256 v, summed with saturation, / 256, then its whole
// multiples of the inputs.
template <int kMatrix, int kOut>
GLIMMERLUX_AVX2_INLINE Vec Output(const Planes& in, const Vec (&twice)[3], const Coefficients& c) {
  constexpr int kFirst = FirstFraction(kMatrix, kOut);
  Vec out = _mm256_setzero_si256();
  if constexpr (kFirst < 3) {
    Vec sum =
        Product(in.channel[kFirst], twice[kFirst], c.step[EntryOf(kOut, kFirst)], c.fraction[EntryOf(kOut, kFirst)]);
    for (int i = kFirst + 1; i < 3; ++i) {
      const int e = EntryOf(kOut, i);
      if (HasFraction(kMatrix, e)) {
        sum = _mm256_adds_epu16(sum, Product(in.channel[i], twice[i], c.step[e], c.fraction[e]));
      }
    }
    out = _mm256_srli_epi16(sum, 8);
  }
  for (int i = 0; i < 3; ++i) {
    const int whole = WholeOf(kMatrix, EntryOf(kOut, i));
    if (whole > 0) out = _mm256_add_epi16(out, in.channel[i]);
    if (whole < 0) out = _mm256_sub_epi16(out, in.channel[i]);
  }
  return out;
}

// Sixteen pixels filtered in place, their fourth bytes kept.
template <int kMatrix>
GLIMMERLUX_AVX2_INLINE void FilterStep(uint32_t* pixels, const Coefficients& c) {
  auto* at = reinterpret_cast<Vec*>(pixels);
  const Planes in = Split(_mm256_loadu_si256(at), _mm256_loadu_si256(at + 1));
  Vec twice[3];
  for (int i = 0; i < 3; ++i) twice[i] = _mm256_add_epi16(in.channel[i], in.channel[i]);
  Vec out[3];
  out[0] = Output<kMatrix, 0>(in, twice, c);
  out[1] = SameAsRowBefore(kMatrix, 1) ? out[0] : Output<kMatrix, 1>(in, twice, c);
  out[2] = SameAsRowBefore(kMatrix, 2) ? out[1] : Output<kMatrix, 2>(in, twice, c);
  // Back into pixels, the clamp to bytes in the packing: the interleaving above undone.
  const Vec blueGreen = _mm256_packus_epi16(out[0], out[1]);
  const Vec redFourth = _mm256_packus_epi16(out[2], in.channel[3]);
  const Vec u0 = _mm256_unpacklo_epi8(blueGreen, redFourth);
  const Vec u1 = _mm256_unpackhi_epi8(blueGreen, redFourth);
  _mm256_storeu_si256(at, _mm256_unpacklo_epi8(u0, u1));
  _mm256_storeu_si256(at + 1, _mm256_unpackhi_epi8(u0, u1));
}

// A block of one colour, common on a desktop, costs a compare per pixel and one step's work.
// Noise shows another colour in the first eight pixels and pays almost nothing for the check.
GLIMMERLUX_AVX2_INLINE bool AllFlat(const uint32_t* block) {
  const Vec first = _mm256_set1_epi32(static_cast<int>(block[0]));
  const Vec color = _mm256_set1_epi32(0x00FFFFFF);
  const auto* at = reinterpret_cast<const Vec*>(block);
  if (!_mm256_testz_si256(_mm256_xor_si256(_mm256_loadu_si256(at), first), color)) return false;
  Vec diff = _mm256_setzero_si256();
  for (size_t j = 1; j < kBlock / 8; ++j)
    diff = _mm256_or_si256(diff, _mm256_xor_si256(_mm256_loadu_si256(at + j), first));
  return _mm256_testz_si256(diff, color);
}

// The block's first step filtered, its colour over the rest, keeping the fourth bytes.
template <int kMatrix>
GLIMMERLUX_AVX2_INLINE void FilterFlat(uint32_t* block, const Coefficients& c) {
  FilterStep<kMatrix>(block, c);
  const Vec out = _mm256_set1_epi32(static_cast<int>(block[0] & 0x00FFFFFFu));
  const Vec fourth = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  auto* at = reinterpret_cast<Vec*>(block);
  for (size_t j = kStep / 8; j < kBlock / 8; ++j) {
    _mm256_storeu_si256(at + j, _mm256_or_si256(out, _mm256_and_si256(_mm256_loadu_si256(at + j), fourth)));
  }
}

template <int kMatrix>
struct Matrix {
  GLIMMERLUX_AVX2 static void Run(uint32_t* pixels, size_t count, FilteredPiece piece, void* context) {
    const Coefficients c = CoefficientsOf(Multipliers(kMatrix));
    const auto told = [&](size_t from, size_t n) {
      if (piece != nullptr) piece(context, from, from + n);
    };
    ForEachStep<kBlock>(
        count,
        [&](size_t at) GLIMMERLUX_AVX2_LAMBDA {
          uint32_t* block = pixels + at;
          if (AllFlat(block)) {
            FilterFlat<kMatrix>(block, c);
          } else {
            for (size_t j = 0; j < kBlock; j += kStep) FilterStep<kMatrix>(block + j, c);
          }
          told(at, kBlock);
        },
        [&](size_t at, size_t n) GLIMMERLUX_AVX2_LAMBDA {
          ForEachStep<kStep>(
              n,
              [&](size_t i) GLIMMERLUX_AVX2_LAMBDA {
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

// Inverting is a single xor per pixel, which SSE2 already does at the speed of memory.
const FilterKernels* Avx2Filter() {
  static const FilterKernels loops = {Sse2Filter()->invert,
                                      {Matrix<0>::Run, Matrix<1>::Run, Matrix<2>::Run, Matrix<3>::Run, Matrix<4>::Run,
                                       Matrix<5>::Run, Matrix<6>::Run, Matrix<7>::Run}};
  return &loops;
}

}  // namespace color_filter

#else

namespace color_filter {
const FilterKernels* Avx2Filter() { return nullptr; }
}  // namespace color_filter

#endif
