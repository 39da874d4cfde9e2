#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/Flips.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

namespace {

// As the SSE2 table, eight pixels from each end.
GLIMMERLUX_AVX2 void Reverse(uint32_t* pixels, size_t count) {
  const __m256i backwards = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
  ForEachStep<16>(
      count,
      [&](size_t at) GLIMMERLUX_AVX2_LAMBDA {
        auto* lo = reinterpret_cast<__m256i*>(pixels + at / 2);
        auto* hi = reinterpret_cast<__m256i*>(pixels + count - at / 2 - 8);
        const __m256i a = _mm256_loadu_si256(lo);
        const __m256i b = _mm256_loadu_si256(hi);
        _mm256_storeu_si256(lo, _mm256_permutevar8x32_epi32(b, backwards));
        _mm256_storeu_si256(hi, _mm256_permutevar8x32_epi32(a, backwards));
      },
      [&](size_t at, size_t n) { kPlainFlips.reverse(pixels + at / 2, n); });
}

GLIMMERLUX_AVX2 void Swap(uint32_t* a, uint32_t* b, size_t count) {
  ForEachStep<8>(
      count,
      [&](size_t at) GLIMMERLUX_AVX2_LAMBDA {
        auto* x = reinterpret_cast<__m256i*>(a + at);
        auto* y = reinterpret_cast<__m256i*>(b + at);
        const __m256i first = _mm256_loadu_si256(x);
        _mm256_storeu_si256(x, _mm256_loadu_si256(y));
        _mm256_storeu_si256(y, first);
      },
      [&](size_t at, size_t n) { kPlainFlips.swap(a + at, b + at, n); });
}

constexpr FlipKernels kAvx2Flips = {Reverse, Swap};

}  // namespace

const FlipKernels* Avx2Flips() { return &kAvx2Flips; }

#else

const FlipKernels* Avx2Flips() { return nullptr; }

#endif
