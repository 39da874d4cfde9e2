#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/Flips.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <emmintrin.h>

namespace {

// Four pixels from each end, turned round and put at the other end, until the ends meet: a step
// is eight pixels, and what is left in the middle goes to the plain kernel.
void Reverse(uint32_t* pixels, size_t count) {
  ForEachStep<8>(
      count,
      [&](size_t at) {
        auto* lo = reinterpret_cast<__m128i*>(pixels + at / 2);
        auto* hi = reinterpret_cast<__m128i*>(pixels + count - at / 2 - 4);
        const __m128i a = _mm_loadu_si128(lo);
        const __m128i b = _mm_loadu_si128(hi);
        _mm_storeu_si128(lo, _mm_shuffle_epi32(b, 0x1B));
        _mm_storeu_si128(hi, _mm_shuffle_epi32(a, 0x1B));
      },
      [&](size_t at, size_t n) { kPlainFlips.reverse(pixels + at / 2, n); });
}

void Swap(uint32_t* a, uint32_t* b, size_t count) {
  ForEachStep<4>(
      count,
      [&](size_t at) {
        auto* x = reinterpret_cast<__m128i*>(a + at);
        auto* y = reinterpret_cast<__m128i*>(b + at);
        const __m128i first = _mm_loadu_si128(x);
        _mm_storeu_si128(x, _mm_loadu_si128(y));
        _mm_storeu_si128(y, first);
      },
      [&](size_t at, size_t n) { kPlainFlips.swap(a + at, b + at, n); });
}

constexpr FlipKernels kSse2Flips = {Reverse, Swap};

}  // namespace

const FlipKernels* Sse2Flips() { return &kSse2Flips; }

#else

const FlipKernels* Sse2Flips() { return nullptr; }

#endif
