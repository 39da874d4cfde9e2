#include "view/Flips.h"

#include <algorithm>

#include "base/Bitmap.h"
#include "base/Cpu.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>
#endif

namespace {

void ReversePlain(uint32_t* pixels, size_t count) { std::reverse(pixels, pixels + count); }

void SwapPlain(uint32_t* a, uint32_t* b, size_t count) { std::swap_ranges(a, a + count, b); }

constexpr FlipKernels kPlainFlips = {ReversePlain, SwapPlain};

#ifdef GLIMMERLUX_X86_SIMD

// Four pixels from each end, turned round and put at the other end, until the ends meet.
void ReverseSse2(uint32_t* pixels, size_t count) {
  uint32_t* lo = pixels;
  uint32_t* hi = pixels + count;
  while (hi - lo >= 8) {
    hi -= 4;
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lo));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(hi));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(lo), _mm_shuffle_epi32(b, 0x1B));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(hi), _mm_shuffle_epi32(a, 0x1B));
    lo += 4;
  }
  std::reverse(lo, hi);
}

void SwapSse2(uint32_t* a, uint32_t* b, size_t count) {
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(a + i), y);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(b + i), x);
  }
  std::swap_ranges(a + i, a + count, b + i);
}

GLIMMERLUX_AVX2 void ReverseAvx2(uint32_t* pixels, size_t count) {
  const __m256i backwards = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
  uint32_t* lo = pixels;
  uint32_t* hi = pixels + count;
  while (hi - lo >= 16) {
    hi -= 8;
    const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(lo));
    const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(hi));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(lo), _mm256_permutevar8x32_epi32(b, backwards));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(hi), _mm256_permutevar8x32_epi32(a, backwards));
    lo += 8;
  }
  ReverseSse2(lo, static_cast<size_t>(hi - lo));
}

GLIMMERLUX_AVX2 void SwapAvx2(uint32_t* a, uint32_t* b, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
    const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(a + i), y);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(b + i), x);
  }
  SwapSse2(a + i, b + i, count - i);
}

constexpr FlipKernels kSse2Flips = {ReverseSse2, SwapSse2};
constexpr FlipKernels kAvx2Flips = {ReverseAvx2, SwapAvx2};
constexpr const FlipKernels* kSse2 = &kSse2Flips;
constexpr const FlipKernels* kAvx2 = &kAvx2Flips;

#else

constexpr const FlipKernels* kSse2 = nullptr;
constexpr const FlipKernels* kAvx2 = nullptr;

#endif

}  // namespace

const FlipKernels& FlipPixels() { return cpu::Pick(kPlainFlips, kSse2, kAvx2); }

void FlipBitmapHorizontally(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) flips.reverse(bitmap.Row(y), width);
}

void FlipBitmapVertically(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom)
    flips.swap(bitmap.Row(top), bitmap.Row(bottom), width);
}

void FlipBitmapBothWays(Bitmap& bitmap) {
  // Both flips turn the picture end for end, and its rows are contiguous: one pass.
  FlipPixels().reverse(bitmap.Pixels(), bitmap.PixelCount());
}
