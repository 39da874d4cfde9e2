// Built optimised even in the sanitizer build (CMakeLists.txt): 21 models of 2^24 colors, on each path.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "unit/CpuPaths.h"
#include "view/VisionSimulation.h"
#include "view/VisionSimulationInternal.h"

namespace {

using vision::Matrix;

// The double-precision result of every 2^24 colors under every model, held against the
// simulation's within one step per channel. The exact result needs no encoding: it is k
// exactly when the linear value x lies in [T(k), T(k + 1)), T(k) the decoded k - 1/2.
TEST(VisionSimulation, EveryColorWithinOneOfDoublePrecision) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  std::array<double, 257> threshold;  // T(k); T(0) and T(256) unbounded
  threshold[0] = -kInfinity;
  for (int k = 1; k <= 255; ++k) threshold[static_cast<size_t>(k)] = vision::SrgbToLinear((k - 0.5) / 255);
  threshold[256] = kInfinity;
  // The result `got` is within one when T(got - 1) <= x < T(got + 2).
  std::array<double, 256> low, high;
  for (int got = 0; got < 256; ++got) {
    low[static_cast<size_t>(got)] = got >= 1 ? threshold[static_cast<size_t>(got - 1)] : -kInfinity;
    high[static_cast<size_t>(got)] = got + 2 <= 256 ? threshold[static_cast<size_t>(got + 2)] : kInfinity;
  }
  double linear[256];
  for (int v = 0; v < 256; ++v) linear[v] = vision::SrgbToLinear(v / 255.0);

  std::vector<SimulatedVision> models = {{VisionDeficiency::Tritan, 100}};
  for (int s = kMinSeverity; s <= kMaxSeverity; s += kSeverityStep) {
    models.push_back({VisionDeficiency::Protan, s});
    models.push_back({VisionDeficiency::Deutan, s});
  }
  const double* n = vision::kBrettelTritanNormal;
  for (const SimulatedVision model : models) {
    const int step = model.severity / kSeverityStep - 1;
    const Matrix& ahead = model.deficiency == VisionDeficiency::Protan   ? vision::kMachadoProtan[step]
                          : model.deficiency == VisionDeficiency::Deutan ? vision::kMachadoDeutan[step]
                                                                         : vision::kBrettelTritan660;
    const Matrix& behind = model.deficiency == VisionDeficiency::Tritan ? vision::kBrettelTritan485 : ahead;
    const vision::Model& integer = vision::ModelOf(model);
    int misses = 0;
    for (int r = 0; r < 256; ++r) {
      for (int g = 0; g < 256; ++g) {
        // What red and green give, for both matrices, once per row of blues.
        double partAhead[3], partBehind[3];
        for (int c = 0; c < 3; ++c) {
          partAhead[c] = ahead[c * 3] * linear[r] + ahead[c * 3 + 1] * linear[g];
          partBehind[c] = behind[c * 3] * linear[r] + behind[c * 3 + 1] * linear[g];
        }
        const double side = n[0] * linear[r] + n[1] * linear[g];
        const uint32_t rg = static_cast<uint32_t>(r << 16 | g << 8);
        for (int b = 0; b < 256; ++b) {
          const double lb = linear[b];
          const bool isAhead = side + n[2] * lb >= 0;
          const Matrix& m = isAhead ? ahead : behind;
          const double* part = isAhead ? partAhead : partBehind;
          const uint32_t out = vision::SimulatePixel(rg | static_cast<uint32_t>(b), integer);
          bool within = true;
          for (int c = 0; c < 3; ++c) {
            const double x = part[c] + m[c * 3 + 2] * lb;
            const auto got = static_cast<size_t>(out >> (16 - 8 * c) & 0xFF);
            within &= x >= low[got] && x < high[got];
          }
          if (!within && ++misses <= 5) {
            ADD_FAILURE() << VisionSimulationName(model) << " of (" << r << ", " << g << ", " << b << ") gives 0x"
                          << std::hex << out;
          }
        }
      }
    }
    EXPECT_EQ(misses, 0) << VisionSimulationName(model);
  }
}

}  // namespace

// Every path (the plain loop's table included) gives each pixel's own bytes, worked out one at a
// time, for every colour under three models (one of each kind) and for every 61st colour under the
// rest, the fourth bytes kept. The range simulated starts one pixel in and stops three before the
// buffer's end, so the vector loop leaves a tail to the plain one; runs of one colour (the flat
// blocks) come at the end. (Every colour under all 21 models took 88 s in the sanitizer build.)
TEST(VisionSimulation, EveryPathGivesThePlainLoopsBytesForEveryColor) {
  constexpr size_t kColors = size_t{1} << 24;
  std::vector<SimulatedVision> models = {
      {VisionDeficiency::Protan, 100}, {VisionDeficiency::Deutan, 50}, {VisionDeficiency::Tritan, 100}};
  for (int s = kMinSeverity; s <= kMaxSeverity; s += kSeverityStep) {
    if (s != 100) models.push_back({VisionDeficiency::Protan, s});
    if (s != 50) models.push_back({VisionDeficiency::Deutan, s});
  }
  for (size_t m = 0; m < models.size(); ++m) {
    const SimulatedVision model = models[m];
    const size_t step = m < 3 ? 1 : 61;
    std::vector<uint32_t> input;
    input.reserve(kColors / step + 64);
    for (size_t c = 0; c < kColors; c += step) {
      input.push_back(static_cast<uint32_t>(c) | static_cast<uint32_t>(c * 7 << 24));
    }
    for (size_t i = 0; i < 64; ++i) input.push_back(0x1234567u + static_cast<uint32_t>(i / 40 << 24));
    const size_t first = 1, count = input.size() - 4;
    std::vector<uint32_t> expected = input;
    for (size_t i = first; i < first + count; ++i)
      expected[i] = vision::SimulatePixel(input[i], vision::ModelOf(model));
    for (const CpuPath& path : CpuPaths(cpu::kAvx2 | cpu::kAvx512)) {
      const CpuPathScope scope(path);
      std::vector<uint32_t> actual = input;
      ApplyVisionSimulation(actual.data() + first, count, model);
      size_t wrong = 0;
      for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i] != expected[i] && ++wrong <= 3) {
          ADD_FAILURE() << path.name << ", " << VisionSimulationName(model) << ": pixel " << i << " is 0x" << std::hex
                        << actual[i] << ", not 0x" << expected[i];
        }
      }
      EXPECT_EQ(wrong, 0u) << path.name << ", " << VisionSimulationName(model);
    }
  }
}
