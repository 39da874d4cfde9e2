#pragma once

#include <cstddef>
#include <cstdint>

#include "view/VisionSimulation.h"

// The simulation's published coefficients and the integer tables made from them.
namespace vision {

// The encode table has an entry per 1/2^14 of linear light, which keeps every colour within
// one step of the double-precision result (VisionSimulationExhaustiveTest).
inline constexpr int kEncodeBits = 14;
inline constexpr int32_t kEncodeTop = 1 << kEncodeBits;
// A pixel's three output sums are formed at once in one 64-bit word, as the colour filters'
// are: per input channel and value one word holds what that input adds to each output, in
// 1/2^(kEncodeBits + kFractionBits) of linear light, in a field of kFieldBits per output. Every
// model keeps a sum within -0.6 .. 1.4, so with kFieldBias on top a field stays within its bits;
// a negative term borrows from the field above and the pixel's other terms pay it back.
inline constexpr int kFractionBits = 4;
inline constexpr int kFieldBits = 21;
inline constexpr int kFieldShift[3] = {0, kFieldBits, 2 * kFieldBits};  // blue, green, red output
inline constexpr int32_t kFieldBias = 1 << 19;
static_assert(kFieldShift[2] + kFieldBits <= 64);
// The side of the separation plane, in 1/2^24 of the normal's largest weight times linear light.
inline constexpr int kSideBits = 24;

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
  uint64_t byInput[3][256];
};

// One simulation as the pixel loop uses it; `behind` and `side` only where the model has two
// half-spaces.
struct Model {
  PackedTerms ahead;
  PackedTerms behind;
  int32_t side[3][256];  // [blue, green, red input][value]: its part of the normal's dot product
  bool split = false;
};

struct Tables {
  uint8_t encode[kEncodeTop + 1];  // linear light to 8-bit sRGB
  uint8_t gatherPad[3] = {};       // a four-byte gather of the last entry stays inside
};

// Built on first use, kept for the life of the process.
const Tables& SharedTables();
// The model of an On() simulation.
const Model& ModelOf(TVisionSimulation simulation);

// Output `out` (0 blue, 1 green, 2 red) of a packed sum, encoded.
inline uint32_t EncodedField(uint64_t sum, int out, const Tables& t) {
  const auto field = static_cast<int32_t>(sum >> kFieldShift[out] & ((uint64_t{1} << kFieldBits) - 1));
  // An arithmetic shift: below zero stays below zero, and becomes 0.
  const int32_t index = (field - kFieldBias) >> kFractionBits;
  return t.encode[index < 0 ? 0 : index > kEncodeTop ? kEncodeTop : index];
}

// A pixel's three output sums, packed.
inline uint64_t PackedSumOf(uint32_t pixel, const Model& model) {
  const uint32_t b = pixel & 0xFF;
  const uint32_t g = pixel >> 8 & 0xFF;
  const uint32_t r = pixel >> 16 & 0xFF;
  const PackedTerms* terms = &model.ahead;
  if (model.split && model.side[0][b] + model.side[1][g] + model.side[2][r] < 0) terms = &model.behind;
  return terms->byInput[0][b] + terms->byInput[1][g] + terms->byInput[2][r];
}

// One pixel (bytes blue, green, red, fourth) simulated; the fourth byte is kept.
inline uint32_t SimulatePixel(uint32_t pixel, const Model& model, const Tables& t) {
  const uint64_t sum = PackedSumOf(pixel, model);
  return (pixel & 0xFF000000u) | EncodedField(sum, 2, t) << 16 | EncodedField(sum, 1, t) << 8 | EncodedField(sum, 0, t);
}

// The reference pixel loop.
void SimulatePlain(uint32_t* pixels, size_t count, const Model& model);
// The same bytes, eight pixels at a time with AVX2, for a leading part of the pixels: returns
// its length (0 without AVX2, in the build or the processor).
size_t SimulateAvx2(uint32_t* pixels, size_t count, const Model& model);

// The IEC 61966-2-1 transfer functions, on [0, 1].
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

}  // namespace vision
