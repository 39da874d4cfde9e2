#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/VisionSimulationInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

namespace vision {

namespace {

// The table sums stay scalar (three loads a pixel; AVX2 gathers measured slower); taking the three
// fields of eight sums apart, settling tritanopia's half-space and encoding go to vector code,
// the same operations as LinearOf and EncodeLinear in the same order. Everything taking or
// giving 256-bit values is inlined (GLIMMERLUX_AVX2_INLINE).

struct Encoder {
  __m256i bias, top, mantissa, exponentZero;
  __m256 topLinear, octaveScale, slope, offset, cubic[4];
};

GLIMMERLUX_AVX2_INLINE Encoder MakeEncoder() {
  using namespace encoding;
  const float* s = kOctaveScale;
  return {_mm256_set1_epi32(kFieldBias),
          _mm256_set1_epi32(kLinearOne - 1),
          _mm256_set1_epi32(0x7FFFFF),
          _mm256_set1_epi32(0x3F800000),
          _mm256_set1_ps(kLinearOne - 1),
          _mm256_setr_ps(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]),
          _mm256_set1_ps(kLinearSlope),
          _mm256_set1_ps(kOffset),
          {_mm256_set1_ps(kCubic[0]), _mm256_set1_ps(kCubic[1]), _mm256_set1_ps(kCubic[2]), _mm256_set1_ps(kCubic[3])}};
}

// Eight values of linear light, clamped above, encoded as EncodeLinear does, one per 32-bit
// lane; below zero stays below zero for the pack to clamp.
GLIMMERLUX_AVX2_INLINE __m256i Encoded(__m256 x, const Encoder& k) {
  const __m256i bits = _mm256_castps_si256(x);
  // vpermps reads the exponent's low three bits only.
  const __m256 scale = _mm256_permutevar8x32_ps(k.octaveScale, _mm256_srli_epi32(bits, 23));
  const __m256 m = _mm256_castsi256_ps(_mm256_or_si256(_mm256_and_si256(bits, k.mantissa), k.exponentZero));
  __m256 h = _mm256_fmadd_ps(k.cubic[3], m, k.cubic[2]);
  h = _mm256_fmadd_ps(h, m, k.cubic[1]);
  h = _mm256_fmadd_ps(h, m, k.cubic[0]);
  const __m256 power = _mm256_fmsub_ps(scale, h, k.offset);
  const __m256 straight = _mm256_mul_ps(x, k.slope);
  return _mm256_cvtps_epi32(_mm256_min_ps(straight, power));
}

struct Sums {
  __m256 a, b;
};

// Sums 0, 1, 4, 5 in one vector and 2, 3, 6, 7 in the other: a shuffle of the two within their
// 128-bit halves then gives their low (or high) halves in pixel order.
GLIMMERLUX_AVX2_INLINE Sums SumsOf(const uint32_t* pixels, const Model& model) {
  long long s[8];
  for (int j = 0; j < 8; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], model));
  return {_mm256_castsi256_ps(_mm256_set_epi64x(s[5], s[4], s[1], s[0])),
          _mm256_castsi256_ps(_mm256_set_epi64x(s[7], s[6], s[3], s[2]))};
}

// The linear light of the pixels' three outputs, the half-space settled, clamped above.
struct Light {
  __m256 x[3];
};

template <bool kSplit>
GLIMMERLUX_AVX2_INLINE Light LightOf(const Sums& sums, const Model& model, const Encoder& k) {
  const __m256 a = sums.a;
  const __m256 b = sums.b;
  const __m256i low = _mm256_castps_si256(_mm256_shuffle_ps(a, b, 0x88));
  const __m256i high = _mm256_castps_si256(_mm256_shuffle_ps(a, b, 0xDD));
  const __m256i mask = _mm256_set1_epi32(static_cast<int>(kFieldMask));
  const __m256i field[3] = {
      _mm256_and_si256(low, mask),
      _mm256_and_si256(
          _mm256_or_si256(_mm256_srli_epi32(low, kFieldShift[1]), _mm256_slli_epi32(high, 32 - kFieldShift[1])), mask),
      _mm256_srli_epi32(high, kFieldShift[2] - 32)};
  __m256 x[3];
  for (int out = 0; out < 3; ++out) {
    const __m256i linear = _mm256_sub_epi32(field[out], k.bias);
    x[out] = _mm256_cvtepi32_ps(kSplit ? linear : _mm256_min_epi32(linear, k.top));
  }
  if constexpr (kSplit) {
    const __m256 side = _mm256_add_ps(_mm256_add_ps(_mm256_mul_ps(_mm256_set1_ps(model.normal[0]), x[0]),
                                                    _mm256_mul_ps(_mm256_set1_ps(model.normal[1]), x[1])),
                                      _mm256_mul_ps(_mm256_set1_ps(model.normal[2]), x[2]));
    const __m256 behind = _mm256_min_ps(side, _mm256_setzero_ps());
    // Rounded to a step as LinearOf does (in the current rounding mode), then clamped above.
    for (int out = 0; out < 3; ++out) {
      const __m256 corrected =
          _mm256_sub_ps(x[out], _mm256_mul_ps(_mm256_set1_ps(model.behindCorrection[out]), behind));
      x[out] = _mm256_min_ps(_mm256_round_ps(corrected, _MM_FROUND_CUR_DIRECTION), k.topLinear);
    }
  }
  return {{x[0], x[1], x[2]}};
}

GLIMMERLUX_AVX2_INLINE void StoreLight(uint32_t* pixels, const Light& light, const Encoder& k) {
  const __m256* x = light.x;
  auto* at = reinterpret_cast<__m256i*>(pixels);
  const __m256i fourth = _mm256_srli_epi32(_mm256_loadu_si256(at), 24);
  // Per 128-bit half: blue, green, red and fourth of four pixels, clamped to bytes, then
  // interleaved into pixels.
  const __m256i bytes = _mm256_packus_epi16(_mm256_packus_epi32(Encoded(x[0], k), Encoded(x[1], k)),
                                            _mm256_packus_epi32(Encoded(x[2], k), fourth));
  const __m256i order = _mm256_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15,  //
                                         0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  _mm256_storeu_si256(at, _mm256_shuffle_epi8(bytes, order));
}

// Eight pixels of one colour, common on a desktop, cost a compare and one pixel's work.
GLIMMERLUX_AVX2_INLINE bool Flat(const uint32_t* eight) {
  const __m256i first = _mm256_set1_epi32(static_cast<int>(eight[0]));
  const __m256i diff = _mm256_xor_si256(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(eight)), first);
  return _mm256_testz_si256(diff, _mm256_set1_epi32(0x00FFFFFF)) != 0;
}

template <bool kSplit>
GLIMMERLUX_AVX2 void Simulate(uint32_t* pixels, size_t count, const Model& model) {
  const Encoder k = MakeEncoder();
  // Flat stretches of a desktop mostly repeat the last one's colour.
  uint32_t flatIn = kNoColor;
  uint32_t flatOut = 0;
  // The next step's light goes ahead of this step's encoding.
  bool nextFlat = count >= 8 && Flat(pixels);
  Light next{};
  if (count >= 8 && !nextFlat) next = LightOf<kSplit>(SumsOf(pixels, model), model, k);
  ForEachStep<8>(
      count,
      [&](size_t i) GLIMMERLUX_AVX2_LAMBDA {
        uint32_t* eight = pixels + i;
        const bool flat = nextFlat;
        const Light light = next;
        if (i + 16 <= count) {
          nextFlat = Flat(eight + 8);
          if (!nextFlat) next = LightOf<kSplit>(SumsOf(eight + 8, model), model, k);
        }
        if (flat) {
          if ((eight[0] & 0xFFFFFFu) != flatIn) {
            flatIn = eight[0] & 0xFFFFFFu;
            flatOut = SimulatePixel(flatIn, model);
          }
          for (int j = 0; j < 8; ++j) eight[j] = (eight[j] & 0xFF000000u) | flatOut;
        } else {
          StoreLight(eight, light, k);
        }
      },
      [&](size_t at, size_t n) { kPlainSimulation.simulate(pixels + at, n, model); });
}

void SimulateAny(uint32_t* pixels, size_t count, const Model& model) {
  if (model.split) {
    Simulate<true>(pixels, count, model);
  } else {
    Simulate<false>(pixels, count, model);
  }
}

constexpr SimulationKernels kAvx2Simulation = {SimulateAny};

}  // namespace

const SimulationKernels* Avx2Simulation() { return &kAvx2Simulation; }

}  // namespace vision

#else

namespace vision {
const SimulationKernels* Avx2Simulation() { return nullptr; }
}  // namespace vision

#endif
