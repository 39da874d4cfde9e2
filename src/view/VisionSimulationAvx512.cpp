#include "base/Cpu.h"
#include "base/Steps.h"
#include "view/VisionSimulationInternal.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <immintrin.h>

// GCC 12 reports its own AVX-512 header's "undefined" vectors as used uninitialised (GCC bug
// 105593, mended in 13).
#if defined(__GNUC__) && !defined(__clang__) && __GNUC__ == 12
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace vision {

namespace {

// The AVX2 loop's work sixteen pixels at a time: the table sums stay scalar; the vector half,
// which bounds the AVX2 loop, takes half as many instructions. The same float operations as
// LinearOf and EncodeLinear in the same order. Everything taking or giving 512-bit values is
// inlined (GLIMMERLUX_AVX512_INLINE).

struct Encoder {
  __m512i bias, top, mantissa, exponentZero;
  __m512 topLinear, octaveScale, slope, offset, cubic[4];
};

GLIMMERLUX_AVX512_INLINE Encoder MakeEncoder() {
  using namespace encoding;
  const float* s = kOctaveScale;
  return {
      _mm512_set1_epi32(kFieldBias),
      _mm512_set1_epi32(kLinearOne - 1),
      _mm512_set1_epi32(0x7FFFFF),
      _mm512_set1_epi32(0x3F800000),
      _mm512_set1_ps(kLinearOne - 1),
      // vpermps reads four index bits here: the eight scales twice, so bit 3 changes nothing.
      _mm512_setr_ps(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7]),
      _mm512_set1_ps(kLinearSlope),
      _mm512_set1_ps(kOffset),
      {_mm512_set1_ps(kCubic[0]), _mm512_set1_ps(kCubic[1]), _mm512_set1_ps(kCubic[2]), _mm512_set1_ps(kCubic[3])}};
}

GLIMMERLUX_AVX512_INLINE __m512i Encoded(__m512 x, const Encoder& k) {
  const __m512i bits = _mm512_castps_si512(x);
  const __m512 scale = _mm512_permutexvar_ps(_mm512_srli_epi32(bits, 23), k.octaveScale);
  // (bits & mantissa) | exponentZero in one instruction.
  const __m512 m = _mm512_castsi512_ps(_mm512_ternarylogic_epi32(bits, k.mantissa, k.exponentZero, 0xEA));
  __m512 h = _mm512_fmadd_ps(k.cubic[3], m, k.cubic[2]);
  h = _mm512_fmadd_ps(h, m, k.cubic[1]);
  h = _mm512_fmadd_ps(h, m, k.cubic[0]);
  const __m512 power = _mm512_fmsub_ps(scale, h, k.offset);
  const __m512 straight = _mm512_mul_ps(x, k.slope);
  return _mm512_cvtps_epi32(_mm512_min_ps(straight, power));
}

// vpshrdd takes its count as an immediate, which an unoptimised build does not make of an array
// element.
constexpr int kGreenShift = 21;
static_assert(kGreenShift == kFieldShift[1]);

struct Sums {
  __m512i a, b;  // pixels 0-7 and 8-15
};

GLIMMERLUX_AVX512_INLINE Sums SumsOf(const uint32_t* pixels, const Model& model) {
  long long s[16];
  for (int j = 0; j < 16; ++j) s[j] = static_cast<long long>(PackedSumOf(pixels[j], model));
  return {_mm512_set_epi64(s[7], s[6], s[5], s[4], s[3], s[2], s[1], s[0]),
          _mm512_set_epi64(s[15], s[14], s[13], s[12], s[11], s[10], s[9], s[8])};
}

// The linear light of the pixels' three outputs, the half-space settled, clamped above.
struct Light {
  __m512 x[3];
};

template <bool kSplit>
GLIMMERLUX_AVX512_INLINE Light LightOf(const Sums& sums, const Model& model, const Encoder& k) {
  // The low and the high halves of the sixteen sums, in pixel order.
  const __m512i evens = _mm512_setr_epi32(0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30);
  const __m512i low = _mm512_permutex2var_epi32(sums.a, evens, sums.b);
  const __m512i high = _mm512_permutex2var_epi32(sums.a, _mm512_add_epi32(evens, _mm512_set1_epi32(1)), sums.b);
  const __m512i mask = _mm512_set1_epi32(static_cast<int>(kFieldMask));
  const __m512i field[3] = {_mm512_and_si512(low, mask),
                            _mm512_and_si512(_mm512_shrdi_epi32(low, high, kGreenShift), mask),
                            _mm512_srli_epi32(high, kFieldShift[2] - 32)};
  __m512 x[3];
  for (int out = 0; out < 3; ++out) {
    const __m512i linear = _mm512_sub_epi32(field[out], k.bias);
    x[out] = _mm512_cvtepi32_ps(kSplit ? linear : _mm512_min_epi32(linear, k.top));
  }
  if constexpr (kSplit) {
    const __m512 side = _mm512_add_ps(_mm512_add_ps(_mm512_mul_ps(_mm512_set1_ps(model.normal[0]), x[0]),
                                                    _mm512_mul_ps(_mm512_set1_ps(model.normal[1]), x[1])),
                                      _mm512_mul_ps(_mm512_set1_ps(model.normal[2]), x[2]));
    const __m512 behind = _mm512_min_ps(side, _mm512_setzero_ps());
    // Rounded to a step as LinearOf does (in the current rounding mode), then clamped above.
    for (int out = 0; out < 3; ++out) {
      const __m512 corrected =
          _mm512_sub_ps(x[out], _mm512_mul_ps(_mm512_set1_ps(model.behindCorrection[out]), behind));
      x[out] = _mm512_min_ps(_mm512_roundscale_ps(corrected, _MM_FROUND_CUR_DIRECTION), k.topLinear);
    }
  }
  return {{x[0], x[1], x[2]}};
}

GLIMMERLUX_AVX512_INLINE void StoreLight(uint32_t* pixels, const Light& light, const Encoder& k) {
  const __m512* x = light.x;
  auto* at = reinterpret_cast<__m512i*>(pixels);
  const __m512i fourth = _mm512_srli_epi32(_mm512_loadu_si512(at), 24);
  // Per 128-bit lane, as in the AVX2 loop: four pixels' blue, green, red and fourth, clamped to
  // bytes, then interleaved.
  const __m512i bytes = _mm512_packus_epi16(_mm512_packus_epi32(Encoded(x[0], k), Encoded(x[1], k)),
                                            _mm512_packus_epi32(Encoded(x[2], k), fourth));
  const __m512i order = _mm512_broadcast_i32x4(_mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15));
  _mm512_storeu_si512(at, _mm512_shuffle_epi8(bytes, order));
}

GLIMMERLUX_AVX512_INLINE bool Flat(const uint32_t* sixteen) {
  const __m512i diff = _mm512_xor_si512(_mm512_loadu_si512(sixteen), _mm512_set1_epi32(static_cast<int>(sixteen[0])));
  return _mm512_test_epi32_mask(diff, _mm512_set1_epi32(0x00FFFFFF)) == 0;
}

template <bool kSplit>
GLIMMERLUX_AVX512 void Simulate(uint32_t* pixels, size_t count, const Model& model) {
  const Encoder k = MakeEncoder();
  // Flat stretches of a desktop mostly repeat the last one's colour.
  uint32_t flatIn = kNoColor;
  uint32_t flatOut = 0;
  // The next step's light goes ahead of this step's encoding.
  bool nextFlat = count >= 16 && Flat(pixels);
  Light next{};
  if (count >= 16 && !nextFlat) next = LightOf<kSplit>(SumsOf(pixels, model), model, k);
  ForEachStep<16>(
      count,
      [&](size_t i) GLIMMERLUX_AVX512_LAMBDA {
        uint32_t* sixteen = pixels + i;
        const bool flat = nextFlat;
        const Light light = next;
        if (i + 32 <= count) {
          nextFlat = Flat(sixteen + 16);
          if (!nextFlat) next = LightOf<kSplit>(SumsOf(sixteen + 16, model), model, k);
        }
        if (flat) {
          if ((sixteen[0] & 0xFFFFFFu) != flatIn) {
            flatIn = sixteen[0] & 0xFFFFFFu;
            flatOut = SimulatePixel(flatIn, model);
          }
          for (int j = 0; j < 16; ++j) sixteen[j] = (sixteen[j] & 0xFF000000u) | flatOut;
        } else {
          StoreLight(sixteen, light, k);
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

constexpr SimulationKernels kAvx512Simulation = {SimulateAny};

}  // namespace

const SimulationKernels* Avx512Simulation() { return &kAvx512Simulation; }

}  // namespace vision

#else

namespace vision {
const SimulationKernels* Avx512Simulation() { return nullptr; }
}  // namespace vision

#endif
