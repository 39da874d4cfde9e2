#pragma once

#include <cstddef>
#include <cstdint>

#include "view/VisionSimulation.h"

// The simulation's published coefficients and the integer tables made from them.
namespace vision {

// Linear light in 1/2^16 steps, matrix weights in 1/2^14: a pixel's sums are at most about
// 1.4 * 2^30 and fit 32 bits. The encode table has an entry per 1/2^14 of linear light, which
// keeps every colour within one step of the double-precision result (VisionSimulationTest).
inline constexpr int kLinearBits = 16;
inline constexpr int kWeightBits = 14;
inline constexpr int kEncodeBits = 14;
inline constexpr int kSumShift = kLinearBits + kWeightBits - kEncodeBits;
inline constexpr int32_t kEncodeTop = 1 << kEncodeBits;
// The separation plane's normal, scaled to a largest weight of 1, in 1/2^13.
inline constexpr int kNormalBits = 13;

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

// One simulation as the pixel loop uses it: integer weights, a second matrix for the half-space
// behind the normal where the model has two.
struct Model {
  int32_t weights[9];
  int32_t behind[9];
  int32_t normal[3];
  bool split = false;
};

struct Tables {
  int32_t linear[256];                 // 8-bit sRGB to linear light
  uint8_t encode[kEncodeTop + 1 + 3];  // linear light to 8-bit sRGB; padded for 4-byte reads
};

// Built on first use, kept for the life of the process.
const Tables& SharedTables();
// The model of an On() simulation.
const Model& ModelOf(TVisionSimulation simulation);

inline int32_t EncodeIndex(int32_t sum) {
  // An arithmetic shift: a sum below zero gives an index below zero, which becomes 0.
  const int32_t index = sum >> kSumShift;
  return index < 0 ? 0 : index > kEncodeTop ? kEncodeTop : index;
}

// One pixel (bytes blue, green, red, fourth) simulated; the fourth byte is kept.
inline uint32_t SimulatePixel(uint32_t pixel, const Model& model, const Tables& t) {
  const int32_t r = t.linear[pixel >> 16 & 0xFF];
  const int32_t g = t.linear[pixel >> 8 & 0xFF];
  const int32_t b = t.linear[pixel & 0xFF];
  const int32_t* w = model.weights;
  if (model.split && model.normal[0] * r + model.normal[1] * g + model.normal[2] * b < 0) w = model.behind;
  const uint32_t red = t.encode[EncodeIndex(w[0] * r + w[1] * g + w[2] * b)];
  const uint32_t green = t.encode[EncodeIndex(w[3] * r + w[4] * g + w[5] * b)];
  const uint32_t blue = t.encode[EncodeIndex(w[6] * r + w[7] * g + w[8] * b)];
  return (pixel & 0xFF000000u) | red << 16 | green << 8 | blue;
}

// The reference pixel loop.
void SimulatePlain(uint32_t* pixels, size_t count, const Model& model);

// The IEC 61966-2-1 transfer functions, on [0, 1].
double SrgbToLinear(double encoded);
double LinearToSrgb(double linear);

}  // namespace vision
