#include "base/Cpu.h"
#include "view/VisionSimulationInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

namespace vision {

namespace {

// The table sums stay scalar, as in the colour filter (three loads a pixel); taking the three
// fields of eight sums apart, clamping them and encoding them go to vector code, the encode
// table read by gathers. Everything taking or giving 256-bit values is inlined
// (GLIMMERLUX_AVX2_INLINE).

// Field `out` of eight sums (pixels 0-3 in `low`, 4-7 in `high`), encoded, one per 32-bit lane.
GLIMMERLUX_AVX2_INLINE __m256i EncodedFields(__m256i low, __m256i high, int out, const Tables& t) {
  const __m128i shift = _mm_cvtsi32_si128(kFieldShift[out]);
  const __m256 a = _mm256_castsi256_ps(_mm256_srl_epi64(low, shift));
  const __m256 b = _mm256_castsi256_ps(_mm256_srl_epi64(high, shift));
  // The low halves of the eight words, in the order 0 1 4 5 2 3 6 7, then put in order.
  __m256i field = _mm256_permute4x64_epi64(_mm256_castps_si256(_mm256_shuffle_ps(a, b, 0x88)), 0xD8);
  field = _mm256_and_si256(field, _mm256_set1_epi32((1 << kFieldBits) - 1));
  __m256i index = _mm256_srai_epi32(_mm256_sub_epi32(field, _mm256_set1_epi32(kFieldBias)), kFractionBits);
  index = _mm256_min_epi32(_mm256_max_epi32(index, _mm256_setzero_si256()), _mm256_set1_epi32(kEncodeTop));
  const __m256i encoded = _mm256_i32gather_epi32(reinterpret_cast<const int*>(t.encode), index, 1);
  return _mm256_and_si256(encoded, _mm256_set1_epi32(0xFF));
}

GLIMMERLUX_AVX2_INLINE void SimulateEight(uint32_t* pixels, const Model& model, const Tables& t) {
  long long s[8];
  for (int j = 0; j < 8; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], model));
  const __m256i low = _mm256_set_epi64x(s[3], s[2], s[1], s[0]);
  const __m256i high = _mm256_set_epi64x(s[7], s[6], s[5], s[4]);
  auto* at = reinterpret_cast<__m256i*>(pixels);
  const __m256i fourth = _mm256_and_si256(_mm256_loadu_si256(at), _mm256_set1_epi32(static_cast<int>(0xFF000000u)));
  const __m256i blue = EncodedFields(low, high, 0, t);
  const __m256i green = _mm256_slli_epi32(EncodedFields(low, high, 1, t), 8);
  const __m256i red = _mm256_slli_epi32(EncodedFields(low, high, 2, t), 16);
  _mm256_storeu_si256(at, _mm256_or_si256(_mm256_or_si256(fourth, blue), _mm256_or_si256(green, red)));
}

// Eight pixels of one colour, common on a desktop, cost a compare and one pixel's work.
GLIMMERLUX_AVX2_INLINE bool Flat(const uint32_t* eight) {
  const __m256i first = _mm256_set1_epi32(static_cast<int>(eight[0]));
  const __m256i diff = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(eight)), first);
  return _mm256_testz_si256(diff, _mm256_set1_epi32(0x00FFFFFF)) != 0;
}

GLIMMERLUX_AVX2 size_t Simulate(uint32_t* pixels, size_t count, const Model& model) {
  const Tables& t = SharedTables();
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint32_t* eight = pixels + i;
    if (Flat(eight)) {
      const uint32_t colour = SimulatePixel(eight[0], model, t) & 0xFFFFFFu;
      for (int j = 0; j < 8; ++j) eight[j] = (eight[j] & 0xFF000000u) | colour;
    } else {
      SimulateEight(eight, model, t);
    }
  }
  return i;
}

}  // namespace

size_t SimulateAvx2(uint32_t* pixels, size_t count, const Model& model) {
  return cpu::Has(cpu::kAvx2) ? Simulate(pixels, count, model) : 0;
}

}  // namespace vision

#else

namespace vision {
size_t SimulateAvx2(uint32_t*, size_t, const Model&) { return 0; }
}  // namespace vision

#endif
