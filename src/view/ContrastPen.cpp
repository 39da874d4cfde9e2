#include "view/ContrastPen.h"

#include "base/Cpu.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <emmintrin.h>
#endif

namespace {

void CopyPlain(const uint32_t* from, int count, uint32_t* to) {
  for (int i = 0; i < count; ++i) to[i] = ContrastPixel(from[i]);
}

void ColumnsPlain(uint32_t* row, const int* columns, int count) {
  for (int i = 0; i < count; ++i) row[columns[i]] = ContrastPixel(row[columns[i]]);
}

void PicksPlain(const uint32_t* source, const PenPick* picks, int count, uint32_t* const* rows, int rowCount) {
  for (int i = 0; i < count; ++i) {
    const uint32_t p = ContrastPixel(source[picks[i].source]);
    for (int r = 0; r < rowCount; ++r) rows[r][picks[i].offset] = p;
  }
}

constexpr ContrastKernels kPlainPen = {CopyPlain, ColumnsPlain, PicksPlain};

#ifdef GLIMMERLUX_X86_SIMD

// Four pixels at once: blue and red as one 16-bit pair, green as another, two multiply-adds.
inline __m128i ContrastFour(__m128i p) {
  const __m128i blueRed = _mm_and_si128(p, _mm_set1_epi32(0x00FF00FF));
  const __m128i green = _mm_and_si128(_mm_srli_epi32(p, 8), _mm_set1_epi32(0xFF));
  const __m128i lum = _mm_add_epi32(_mm_madd_epi16(blueRed, _mm_set1_epi32(11 | (30 << 16))),
                                    _mm_madd_epi16(green, _mm_set1_epi32(59)));
  const __m128i light = _mm_cmpgt_epi32(lum, _mm_set1_epi32(128 * 100 - 1));
  return _mm_or_si128(_mm_and_si128(p, _mm_set1_epi32(static_cast<int>(0xFF000000u))),
                      _mm_andnot_si128(light, _mm_set1_epi32(0x00FFFFFF)));
}

// The pen's colors of four pixels gathered into a register, taken out lane by lane: a vector
// load from four fresh scalar stores would wait for all of them to reach the cache.
struct FourColors {
  uint32_t lane[4];
};

inline FourColors ContrastGathered(const uint32_t* row, const int (&at)[4]) {
  const __m128i lo = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(row[at[0]])),
                                        _mm_cvtsi32_si128(static_cast<int>(row[at[1]])));
  const __m128i hi = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(row[at[2]])),
                                        _mm_cvtsi32_si128(static_cast<int>(row[at[3]])));
  const __m128i out = ContrastFour(_mm_unpacklo_epi64(lo, hi));
  return {{static_cast<uint32_t>(_mm_cvtsi128_si32(out)),
           static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(out, _MM_SHUFFLE(1, 1, 1, 1)))),
           static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(out, _MM_SHUFFLE(2, 2, 2, 2)))),
           static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(out, _MM_SHUFFLE(3, 3, 3, 3))))}};
}

// Whole groups of four in vectors; the rest, fewer than four, by the plain kernels.
void CopySse2(const uint32_t* from, int count, uint32_t* to) {
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i p = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + i), ContrastFour(p));
  }
  CopyPlain(from + i, count - i, to + i);
}

void ColumnsSse2(uint32_t* row, const int* columns, int count) {
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const int at[4] = {columns[i], columns[i + 1], columns[i + 2], columns[i + 3]};
    const FourColors out = ContrastGathered(row, at);
    for (int k = 0; k < 4; ++k) row[at[k]] = out.lane[k];
  }
  ColumnsPlain(row, columns + i, count - i);
}

void PicksSse2(const uint32_t* source, const PenPick* picks, int count, uint32_t* const* rows, int rowCount) {
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    const PenPick* pick = picks + i;
    const FourColors out = ContrastGathered(source, {pick[0].source, pick[1].source, pick[2].source, pick[3].source});
    // Read before the stores, which the compiler cannot tell apart from the picks.
    const int at[4] = {pick[0].offset, pick[1].offset, pick[2].offset, pick[3].offset};
    for (int r = 0; r < rowCount; ++r) {
      for (int k = 0; k < 4; ++k) rows[r][at[k]] = out.lane[k];
    }
  }
  PicksPlain(source, picks + i, count - i, rows, rowCount);
}

constexpr ContrastKernels kSse2Pen = {CopySse2, ColumnsSse2, PicksSse2};
constexpr const ContrastKernels* kSse2 = &kSse2Pen;

#else

constexpr const ContrastKernels* kSse2 = nullptr;

#endif

}  // namespace

const ContrastKernels& ContrastPen() { return cpu::Pick(kPlainPen, kSse2, nullptr); }
