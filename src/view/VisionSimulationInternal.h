#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/Cpu.h"
#include "view/PackedTermSum.h"
#include "view/VisionSimulation.h"

#ifdef GLIMMERLUX_X86_SIMD
#include <xmmintrin.h>
#endif

// The simulation's published coefficients, the integer tables made from them and the encoding of
// their sums.
namespace vision {

// Linear light is carried in 1/2^kLinearBits. A pixel's three output sums are formed at once in
// one 64-bit word (PackedTermSum.h): per input channel and value one word holds what
// that input adds to each output, in a field of kFieldBits per output. Every model keeps a sum
// within -0.6 .. 1.4, so with kFieldBias on top a field stays within its bits; a negative term
// borrows from the field above and the pixel's other terms pay it back.
inline constexpr int kLinearBits = 18;
inline constexpr int32_t kLinearOne = 1 << kLinearBits;
inline constexpr int kFieldBits = 21;
inline constexpr int kFieldShift[3] = {0, kFieldBits, 2 * kFieldBits};  // blue, green, red output
inline constexpr int32_t kFieldBias = 1 << 19;
inline constexpr uint32_t kFieldMask = (1u << kFieldBits) - 1;
static_assert(kFieldShift[2] + kFieldBits <= 63, "the red field leaves the top bit clear");
// Rows give linear red, green, blue out; columns weigh linear red, green, blue in.
using Matrix = double[9];

// Machado et al. (2009), Table 1 (www.inf.ufrgs.br/~oliveira/pubs_files/CVD_Simulation/),
// severity 0.1 to 1.0: linear RGB in, linear RGB out.
extern const Matrix kMachadoProtan[10];
extern const Matrix kMachadoDeutan[10];
// Brettel et al. (1997) for tritanopia, folded into linear RGB: one projection per half-space
// and the normal of the plane that separates them (anchors 485 nm and 660 nm, the neutral
// axis between them), as DaltonLens publishes them (daltonlens.org, libDaltonLens).
extern const Matrix kBrettelTritan660;
extern const Matrix kBrettelTritan485;
extern const double kBrettelTritanNormal[3];

// What each input adds to the three output fields: [blue, green, red input][value].
struct PackedTerms {
  PackedTermTable byInput;
};

// One simulation as the pixel loop uses it. Tritanopia has two half-spaces, and its matrices
// differ by a rank-one part, M660 - M485 = d n^T with n the separating plane's normal, while
// n^T M660 = n^T (both to the published digits): so n . (M660 L) tells the half-space, and
// there M485 L = M660 L - d (n . M660 L). One table sum serves both, corrected in float and
// rounded back to a step of linear light.
struct Model {
  PackedTerms ahead;
  bool split = false;
  float normal[3] = {};            // n, by blue, green, red output
  float behindCorrection[3] = {};  // d, by blue, green, red output
};

// The model of an On() simulation; the models are built on first use and kept for the life of
// the process.
const Model& ModelOf(SimulatedVision simulation);

// a * b + c rounded once, as the vector loop's fused multiply-add gives it, for finite values. The
// product is exact in double; the sum, rounded to odd in double, then rounds to the nearest float
// correctly (Boldo and Melquiond, 2008). Like every rounding here it takes the processor's
// rounding mode to be the default, to nearest.
inline float FusedMultiplyAdd(float a, float b, float c) {
  const double product = static_cast<double>(a) * b;
  const double sum = product + c;
  const double back = sum - product;
  const double error = (product - (sum - back)) + (c - back);  // what rounding the sum lost
  uint64_t bits;
  std::memcpy(&bits, &sum, sizeof bits);
  if (error != 0 && (bits & 1) == 0) bits += (error > 0) == (sum > 0) ? 1 : -1;
  double odd;
  std::memcpy(&odd, &bits, sizeof odd);
  return static_cast<float>(odd);
}

// The lower of two as the vector minimum gives it (b when they are equal), and without a branch:
// a side of the plane taken at random costs a mispredicted branch a pixel.
inline float VectorMin(float a, float b) {
#ifdef GLIMMERLUX_X86_SIMD
  return _mm_cvtss_f32(_mm_min_ss(_mm_set_ss(a), _mm_set_ss(b)));
#else
  return a < b ? a : b;
#endif
}

// In the current rounding mode (to nearest, ties to even, by default), as the vector conversion rounds.
inline int32_t RoundToInt(float y) {
#ifdef GLIMMERLUX_X86_SIMD
  return _mm_cvtss_si32(_mm_set_ss(y));
#else
  return static_cast<int32_t>(std::lrint(y));
#endif
}

// The sRGB encoding of linear light, computed: the encoding's power 1/2.4 splits over a float's
// exponent and mantissa, x^(1/2.4) = 2^(e/2.4) * m^(1/2.4), so one cubic in the mantissa m in
// [1, 2) serves every octave, scaled per octave. Eight octaves reach down to 2^-8. Below that the
// straight part of the encoding, 12.92 x, serves, and so also between its proper end at
// 0.0031308 and 2^-8, where it lies at most 0.21 (of 255) above the curve. The two parts are
// joined by taking the lower: above 2^-8 the curve lies under the straight line, and below it the
// octave scale, looked up by the exponent's low three bits, belongs to a higher octave and puts
// the curve far above. Rounded, every value comes within 0.71 of the exact encoding times 255
// (VisionSimulationTest): within 0.21 before rounding.
namespace encoding {
inline constexpr float kLinearSlope = 0x1.9bd334p-7f;  // 12.92 * 255 / 2^18
// 255 * 1.055 * 2^((e - 145) * 5 / 12) for the float exponents e = 137 .. 144 that linear light
// from 2^-8 to 1 takes in 1/2^18, by e's low three bits.
inline constexpr float kOctaveScale[8] = {0x1.931502p+7f, 0x1.ab0cf2p+4f, 0x1.1d05a6p+5f, 0x1.7c7574p+5f,
                                          0x1.fbdap+5f,   0x1.52f344p+6f, 0x1.c471bep+6f, 0x1.2df86ap+7f};
// m^(5/12) on [1, 2], interpolated at the four Chebyshev nodes: c0 + c1 m + c2 m^2 + c3 m^3.
inline constexpr float kCubic[4] = {0x1.d8265ap-2f, 0x1.609052p-1f, -0x1.62f0cep-3f, 0x1.84d6a4p-6f};
inline constexpr float kOffset = 0x1.c0ccccp+3f;  // 255 * 0.055
}  // namespace encoding

// Linear light in 1/2^18, any value, as an 8-bit sRGB value.
inline uint32_t EncodeLinear(int32_t linear) {
  using namespace encoding;
  if (linear <= 0) return 0;
  const auto x = static_cast<float>(std::min(linear, kLinearOne - 1));
  uint32_t bits;
  std::memcpy(&bits, &x, sizeof bits);
  const uint32_t mantissaBits = (bits & 0x7FFFFFu) | 0x3F800000u;  // the same mantissa, exponent 0
  float m;
  std::memcpy(&m, &mantissaBits, sizeof m);
  float h = FusedMultiplyAdd(kCubic[3], m, kCubic[2]);
  h = FusedMultiplyAdd(h, m, kCubic[1]);
  h = FusedMultiplyAdd(h, m, kCubic[0]);
  const float power = FusedMultiplyAdd(kOctaveScale[bits >> 23 & 7], h, -kOffset);
  const float straight = x * kLinearSlope;
  return std::min(static_cast<uint32_t>(RoundToInt(VectorMin(straight, power))), 255u);
}

// A pixel's three output sums, packed.
inline uint64_t PackedSumOf(uint32_t pixel, const Model& model) { return PackedTermSum(pixel, model.ahead.byInput); }

// The linear light of a packed sum's three outputs (blue, green, red) in 1/2^18, the half-space
// settled (in float, rounded back to a step).
inline void LinearOf(uint64_t sum, const Model& model, int32_t (&linear)[3]) {
  for (int out = 0; out < 3; ++out) {
    linear[out] = static_cast<int32_t>(sum >> kFieldShift[out] & kFieldMask) - kFieldBias;
  }
  if (!model.split) return;
  float x[3];
  for (int out = 0; out < 3; ++out) x[out] = static_cast<float>(linear[out]);
  // Multiplies and adds apart here, not fused: the plain loop would pay for fused ones in double
  // arithmetic on every pixel, not once per value as the encoding's table does.
  const float side = (model.normal[0] * x[0] + model.normal[1] * x[1]) + model.normal[2] * x[2];
  const float behind = VectorMin(side, 0.0f);
  for (int out = 0; out < 3; ++out) linear[out] = RoundToInt(x[out] - model.behindCorrection[out] * behind);
}

// One pixel (bytes blue, green, red, fourth) simulated; the fourth byte is kept.
inline uint32_t SimulatePixel(uint32_t pixel, const Model& model) {
  int32_t linear[3];
  LinearOf(PackedSumOf(pixel, model), model, linear);
  return (pixel & 0xFF000000u) | EncodeLinear(linear[2]) << 16 | EncodeLinear(linear[1]) << 8 | EncodeLinear(linear[0]);
}

// No colour compares equal to this once its fourth byte is masked off: the loops' remembered
// colour before the first, so that a call (the paint makes one a row) works out nothing ahead.
inline constexpr uint32_t kNoColor = 0xFF000000u;

// The pixel loop of one instruction set, over a whole run; every one gives the plain one's bytes.
struct SimulationKernels {
  void (*simulate)(uint32_t* pixels, size_t count, const Model& model);
};

// The reference.
extern const SimulationKernels kPlainSimulation;
// Eight pixels at a time with AVX2, sixteen with AVX-512; null where the build has none.
const SimulationKernels* Avx2Simulation();
const SimulationKernels* Avx512Simulation();

// The IEC 61966-2-1 transfer functions, on [0, 1].
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

}  // namespace vision
