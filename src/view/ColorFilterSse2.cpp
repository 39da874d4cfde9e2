#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/ColorFilterInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <emmintrin.h>

namespace color_filter {

namespace {

// The baseline every x86-64 processor runs: eight pixels a step, each channel in a 16-bit lane,
// every product computed in registers (ColorFilterInternal.h). The wider loops do the same 128
// bits at a time.

using Vec = __m128i;
constexpr size_t kStep = 8;
constexpr size_t kBlock = 64;  // checked for one colour, and told, at a time

// The eight pixels of the two loads sorted by channel in three rounds
// of interleaving and widened to 16 bits: blue, green, red, fourth byte.
struct Planes {
  Vec channel[4];
};

inline Planes Split(Vec p0, Vec p1) {
  const Vec t0 = _mm_unpacklo_epi8(p0, p1);
  const Vec t1 = _mm_unpackhi_epi8(p0, p1);
  const Vec t2 = _mm_unpacklo_epi8(t0, t1);
  const Vec t3 = _mm_unpackhi_epi8(t0, t1);
  const Vec blueGreen = _mm_unpacklo_epi8(t2, t3);
  const Vec redFourth = _mm_unpackhi_epi8(t2, t3);
  const Vec zero = _mm_setzero_si128();
  return {{_mm_unpacklo_epi8(blueGreen, zero), _mm_unpackhi_epi8(blueGreen, zero), _mm_unpacklo_epi8(redFourth, zero),
           _mm_unpackhi_epi8(redFourth, zero)}};
}

// Each entry's step and fraction in every lane.
struct Coefficients {
  Vec step[kMatrixEntries];
  Vec fraction[kMatrixEntries];
};

inline Coefficients CoefficientsOf(const MatrixMultipliers& m) {
  Coefficients c;
  for (int e = 0; e < kMatrixEntries; ++e) {
    c.step[e] = _mm_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier >> kMultiplierShift));
    c.fraction[e] = _mm_set1_epi16(static_cast<int16_t>(m.entry[e].multiplier & 0xFFFF));
  }
  return c;
}

// (v multiplier + 2^15) >> 16: step v, and v fraction / 2^16 rounded by averaging with zero.
inline Vec Product(Vec v, Vec twice, Vec step, Vec fraction) {
  const Vec rounded = _mm_avg_epu16(_mm_mulhi_epu16(twice, fraction), _mm_setzero_si128());
  return _mm_add_epi16(_mm_mullo_epi16(v, step), rounded);
}

// One output channel: its products below 256 v, summed with saturation, / 256, then its whole
// multiples of the inputs.
template <int kMatrix, int kOut>
inline Vec Output(const Planes& in, const Vec (&twice)[3], const Coefficients& c) {
  constexpr int kFirst = FirstFraction(kMatrix, kOut);
  Vec out = _mm_setzero_si128();
  if constexpr (kFirst < 3) {
    Vec sum =
        Product(in.channel[kFirst], twice[kFirst], c.step[EntryOf(kOut, kFirst)], c.fraction[EntryOf(kOut, kFirst)]);
    for (int i = kFirst + 1; i < 3; ++i) {
      const int e = EntryOf(kOut, i);
      if (HasFraction(kMatrix, e)) {
        sum = _mm_adds_epu16(sum, Product(in.channel[i], twice[i], c.step[e], c.fraction[e]));
      }
    }
    out = _mm_srli_epi16(sum, 8);
  }
  for (int i = 0; i < 3; ++i) {
    const int whole = WholeOf(kMatrix, EntryOf(kOut, i));
    if (whole > 0) out = _mm_add_epi16(out, in.channel[i]);
    if (whole < 0) out = _mm_sub_epi16(out, in.channel[i]);
  }
  return out;
}

// Sixteen pixels filtered in place, their fourth bytes kept.
template <int kMatrix>
inline void FilterStep(uint32_t* pixels, const Coefficients& c) {
  auto* at = reinterpret_cast<Vec*>(pixels);
  const Planes in = Split(_mm_loadu_si128(at), _mm_loadu_si128(at + 1));
  Vec twice[3];
  for (int i = 0; i < 3; ++i) twice[i] = _mm_add_epi16(in.channel[i], in.channel[i]);
  Vec out[3];
  out[0] = Output<kMatrix, 0>(in, twice, c);
  out[1] = SameAsRowBefore(kMatrix, 1) ? out[0] : Output<kMatrix, 1>(in, twice, c);
  out[2] = SameAsRowBefore(kMatrix, 2) ? out[1] : Output<kMatrix, 2>(in, twice, c);
  // Back into pixels, the clamp to bytes in the packing: the interleaving above undone.
  const Vec blueGreen = _mm_packus_epi16(out[0], out[1]);
  const Vec redFourth = _mm_packus_epi16(out[2], in.channel[3]);
  const Vec u0 = _mm_unpacklo_epi8(blueGreen, redFourth);
  const Vec u1 = _mm_unpackhi_epi8(blueGreen, redFourth);
  _mm_storeu_si128(at, _mm_unpacklo_epi8(u0, u1));
  _mm_storeu_si128(at + 1, _mm_unpackhi_epi8(u0, u1));
}

// A block of one colour, common on a desktop, costs a compare per pixel and one step's work.
// After a block that is not one colour the next few go unchecked, so noise pays almost nothing
// for it (checking every block's first pixels, as the wider loops do, compiles here into loading
// and comparing the whole block before the first test).
constexpr int kUncheckedBlocks = 4;

inline bool NoneDiffer(Vec diff) {
  const Vec color = _mm_and_si128(diff, _mm_set1_epi32(0x00FFFFFF));
  return _mm_movemask_epi8(_mm_cmpeq_epi32(color, _mm_setzero_si128())) == 0xFFFF;
}

inline bool AllFlat(const uint32_t* block) {
  const Vec first = _mm_set1_epi32(static_cast<int>(block[0]));
  const auto* at = reinterpret_cast<const Vec*>(block);
  if (!NoneDiffer(_mm_xor_si128(_mm_loadu_si128(at), first))) return false;
  Vec diff = _mm_setzero_si128();
  for (size_t j = 1; j < kBlock / 4; ++j) diff = _mm_or_si128(diff, _mm_xor_si128(_mm_loadu_si128(at + j), first));
  return NoneDiffer(diff);
}

// The block's first step filtered, its colour over the rest, keeping the fourth bytes.
template <int kMatrix>
inline void FilterFlat(uint32_t* block, const Coefficients& c) {
  FilterStep<kMatrix>(block, c);
  const Vec out = _mm_set1_epi32(static_cast<int>(block[0] & 0x00FFFFFFu));
  const Vec fourth = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  auto* at = reinterpret_cast<Vec*>(block);
  for (size_t j = kStep / 4; j < kBlock / 4; ++j) {
    _mm_storeu_si128(at + j, _mm_or_si128(out, _mm_and_si128(_mm_loadu_si128(at + j), fourth)));
  }
}

template <int kMatrix>
struct Matrix {
  static void Run(uint32_t* pixels, size_t count, FilteredPiece piece, void* context) {
    const Coefficients c = CoefficientsOf(Multipliers(kMatrix));
    const auto told = [&](size_t from, size_t n) {
      if (piece != nullptr) piece(context, from, from + n);
    };
    int unchecked = 0;
    ForEachStep<kBlock>(
        count,
        [&](size_t at) {
          uint32_t* block = pixels + at;
          if (unchecked == 0 && AllFlat(block)) {
            FilterFlat<kMatrix>(block, c);
          } else {
            unchecked = unchecked == 0 ? kUncheckedBlocks : unchecked - 1;
            for (size_t j = 0; j < kBlock; j += kStep) FilterStep<kMatrix>(block + j, c);
          }
          told(at, kBlock);
        },
        [&](size_t at, size_t n) {
          ForEachStep<kStep>(
              n,
              [&](size_t i) {
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

// 255 - v is v with its bits flipped; the fourth byte is flipped by nothing.
void Invert(uint32_t* pixels, size_t count) {
  const Vec color = _mm_set1_epi32(0x00FFFFFF);
  ForEachStep<8>(
      count,
      [&](size_t i) {
        auto* at = reinterpret_cast<Vec*>(pixels + i);
        _mm_storeu_si128(at, _mm_xor_si128(_mm_loadu_si128(at), color));
        _mm_storeu_si128(at + 1, _mm_xor_si128(_mm_loadu_si128(at + 1), color));
      },
      [&](size_t at, size_t n) { kPlainFilter.invert(pixels + at, n); });
}

constexpr FilterKernels kSse2Filter = {Invert,
                                       {Matrix<0>::Run, Matrix<1>::Run, Matrix<2>::Run, Matrix<3>::Run, Matrix<4>::Run,
                                        Matrix<5>::Run, Matrix<6>::Run, Matrix<7>::Run}};

}  // namespace

const FilterKernels* Sse2Filter() { return &kSse2Filter; }

}  // namespace color_filter

#else

namespace color_filter {
const FilterKernels* Sse2Filter() { return nullptr; }
}  // namespace color_filter

#endif
