// Built optimised even in the sanitizer build (CMakeLists.txt): 21 models of 2^24 colours.
#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "view/VisionSimulation.h"
#include "view/VisionSimulationInternal.h"

namespace {

using vision::Matrix;

// The double-precision result of every 2^24 colours under every model, held against the
// integer tables' within one step per channel. The exact result needs no encoding: it is k
// exactly when the linear value x lies in [T(k), T(k + 1)), T(k) the decoded k - 1/2.
TEST(VisionSimulation, EveryColourWithinOneOfDoublePrecision) {
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

  std::vector<TVisionSimulation> models = {{TVisionDeficiency::Tritan, 100}};
  for (int s = kMinSeverity; s <= kMaxSeverity; s += kSeverityStep) {
    models.push_back({TVisionDeficiency::Protan, s});
    models.push_back({TVisionDeficiency::Deutan, s});
  }
  const vision::Tables& tables = vision::SharedTables();
  const double* n = vision::kBrettelTritanNormal;
  for (const TVisionSimulation model : models) {
    const int step = model.severity / kSeverityStep - 1;
    const Matrix& ahead = model.deficiency == TVisionDeficiency::Protan   ? vision::kMachadoProtan[step]
                          : model.deficiency == TVisionDeficiency::Deutan ? vision::kMachadoDeutan[step]
                                                                          : vision::kBrettelTritan660;
    const Matrix& behind = model.deficiency == TVisionDeficiency::Tritan ? vision::kBrettelTritan485 : ahead;
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
          const uint32_t out = vision::SimulatePixel(rg | static_cast<uint32_t>(b), integer, tables);
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
