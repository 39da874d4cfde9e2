#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/ColorFilterInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

namespace color_filter {

namespace {

// The table work stays scalar (AVX2 gathers measured slower than scalar loads) and the unpacking
// goes to vector code, eight pixels' packed sums at a time, straight from the registers: a
// buffer in between measured slower, most of all in the paint, where its stores queue up behind
// the picture's. Everything taking or giving 256-bit values is inlined (GLIMMERLUX_AVX2_INLINE).

constexpr size_t kBlock = 64;  // pixels checked for a run of one colour at a time

struct Unpack {
  __m256i factor;
  __m256i fourth;
};

GLIMMERLUX_AVX2_INLINE Unpack UnpackFor() {
  const auto& f = kWordFactor;
  return {
      _mm256_setr_epi16(f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3], f[0], f[1], f[2], f[3]),
      _mm256_set1_epi32(static_cast<int>(0xFF000000u))};
}

// Four sums' floored quotients as 16-bit lanes 0, blue, green, red; the pack clamps them.
GLIMMERLUX_AVX2_INLINE __m256i FieldsOf(__m256i sums, const Unpack& u) {
  return _mm256_srai_epi16(_mm256_mullo_epi16(sums, u.factor), 16 - kResultBits);
}

// Eight pixels' colours written over them, keeping the fourth bytes.
GLIMMERLUX_AVX2_INLINE void FilterEight(uint32_t* pixels, const PackedSums& packed, const Unpack& u) {
  long long s[8];
  for (int j = 0; j < 8; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], packed));
  // packus works within 128-bit halves: pixels 0, 1, 4, 5 in one vector and 2, 3, 6, 7 in the
  // other come out in pixel order.
  const __m256i a = FieldsOf(_mm256_set_epi64x(s[5], s[4], s[1], s[0]), u);
  const __m256i b = FieldsOf(_mm256_set_epi64x(s[7], s[6], s[3], s[2]), u);
  __m256i* at = reinterpret_cast<__m256i*>(pixels);
  const __m256i fourth = _mm256_and_si256(_mm256_loadu_si256(at), u.fourth);
  const __m256i colours = _mm256_srli_epi32(_mm256_packus_epi16(a, b), 8);  // 0, blue, green, red
  _mm256_storeu_si256(at, _mm256_or_si256(colours, fourth));
}

// A block of one colour, common on a desktop, costs a compare per pixel and one pixel's sums.
// Noise shows another colour in the first eight pixels and pays almost nothing for the check.
// (Checked against the block's own first pixel and on every block, unlike the SSE2 loop, where
// the same measured slower on noise.)
GLIMMERLUX_AVX2_INLINE bool AllFlat(const uint32_t* block) {
  const __m256i first = _mm256_set1_epi32(static_cast<int>(block[0]));
  const __m256i colour = _mm256_set1_epi32(0x00FFFFFF);
  const auto* at = reinterpret_cast<const __m256i*>(block);
  if (!_mm256_testz_si256(_mm256_xor_si256(_mm256_loadu_si256(at), first), colour)) return false;
  __m256i diff = _mm256_setzero_si256();
  for (size_t j = 1; j < kBlock / 8; ++j)
    diff = _mm256_or_si256(diff, _mm256_xor_si256(_mm256_loadu_si256(at + j), first));
  return _mm256_testz_si256(diff, colour);
}

// `colour`, fourth byte 0, over the block, keeping the fourth bytes.
GLIMMERLUX_AVX2_INLINE void StoreFlat(uint32_t* block, uint32_t colour, const Unpack& u) {
  const __m256i out = _mm256_set1_epi32(static_cast<int>(colour));
  auto* at = reinterpret_cast<__m256i*>(block);
  for (size_t j = 0; j < kBlock / 8; ++j) {
    _mm256_storeu_si256(at + j, _mm256_or_si256(out, _mm256_and_si256(_mm256_loadu_si256(at + j), u.fourth)));
  }
}

GLIMMERLUX_AVX2 void Matrix(uint32_t* pixels, size_t count, int matrix, TFilteredPiece piece, void* context) {
  const PackedSums& packed = Packed(matrix);
  const auto told = [&](size_t from, size_t n) {
    if (piece) piece(context, from, from + n);
  };
  const Unpack u = UnpackFor();
  ForEachStep<kBlock>(
      count,
      [&](size_t at) GLIMMERLUX_AVX2_LAMBDA {
        uint32_t* block = pixels + at;
        if (AllFlat(block)) {
          StoreFlat(block, ColourOfSum(PackedSumOf(block[0], packed)), u);
        } else {
          for (size_t j = 0; j < kBlock; j += 8) FilterEight(block + j, packed, u);
        }
        told(at, kBlock);
      },
      [&](size_t at, size_t n) GLIMMERLUX_AVX2_LAMBDA {
        ForEachStep<8>(
            n,
            [&](size_t i) GLIMMERLUX_AVX2_LAMBDA {
              FilterEight(pixels + at + i, packed, u);
              told(at + i, 8);
            },
            [&](size_t i, size_t m) {
              kPlainFilter.matrix(pixels + at + i, m, matrix);
              told(at + i, m);
            });
      });
}

void MatrixQuiet(uint32_t* pixels, size_t count, int matrix) { Matrix(pixels, count, matrix, nullptr, nullptr); }

}  // namespace

// Inverting is a single xor per pixel, which SSE2 already does at the speed of memory.
const FilterKernels* Avx2Filter() {
  static const FilterKernels loops = {Sse2Filter()->invert, MatrixQuiet, Matrix};
  return &loops;
}

}  // namespace color_filter

#else

namespace color_filter {
const FilterKernels* Avx2Filter() { return nullptr; }
}  // namespace color_filter

#endif
