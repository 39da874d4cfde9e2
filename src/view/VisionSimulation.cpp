#include "view/VisionSimulation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "view/VisionSimulationInternal.h"

namespace vision {

const Matrix kMachadoProtan[10] = {
    {0.856167, 0.182038, -0.038205, 0.029342, 0.955115, 0.015544, -0.002880, -0.001563, 1.004443},
    {0.734766, 0.334872, -0.069637, 0.051840, 0.919198, 0.028963, -0.004928, -0.004209, 1.009137},
    {0.630323, 0.465641, -0.095964, 0.069181, 0.890046, 0.040773, -0.006308, -0.007724, 1.014032},
    {0.539009, 0.579343, -0.118352, 0.082546, 0.866121, 0.051332, -0.007136, -0.011959, 1.019095},
    {0.458064, 0.679578, -0.137642, 0.092785, 0.846313, 0.060902, -0.007494, -0.016807, 1.024301},
    {0.385450, 0.769005, -0.154455, 0.100526, 0.829802, 0.069673, -0.007442, -0.022190, 1.029632},
    {0.319627, 0.849633, -0.169261, 0.106241, 0.815969, 0.077790, -0.007025, -0.028051, 1.035076},
    {0.259411, 0.923008, -0.182420, 0.110296, 0.804340, 0.085364, -0.006276, -0.034346, 1.040622},
    {0.203876, 0.990338, -0.194214, 0.112975, 0.794542, 0.092483, -0.005222, -0.041043, 1.046265},
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
};

const Matrix kMachadoDeutan[10] = {
    {0.866435, 0.177704, -0.044139, 0.049567, 0.939063, 0.011370, -0.003453, 0.007233, 0.996220},
    {0.760729, 0.319078, -0.079807, 0.090568, 0.889315, 0.020117, -0.006027, 0.013325, 0.992702},
    {0.675425, 0.433850, -0.109275, 0.125303, 0.847755, 0.026942, -0.007950, 0.018572, 0.989378},
    {0.605511, 0.528560, -0.134071, 0.155318, 0.812366, 0.032316, -0.009376, 0.023176, 0.986200},
    {0.547494, 0.607765, -0.155259, 0.181692, 0.781742, 0.036566, -0.010410, 0.027275, 0.983136},
    {0.498864, 0.674741, -0.173604, 0.205199, 0.754872, 0.039929, -0.011131, 0.030969, 0.980162},
    {0.457771, 0.731899, -0.189670, 0.226409, 0.731012, 0.042579, -0.011595, 0.034333, 0.977261},
    {0.422823, 0.781057, -0.203881, 0.245752, 0.709602, 0.044646, -0.011843, 0.037423, 0.974421},
    {0.392952, 0.823610, -0.216562, 0.263559, 0.690210, 0.046232, -0.011910, 0.040281, 0.971630},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
};

const Matrix kBrettelTritan660 = {1.01277, 0.13548, -0.14826, -0.01243, 0.86812, 0.14431, 0.07589, 0.80500, 0.11911};
const Matrix kBrettelTritan485 = {0.93678, 0.18979, -0.12657, 0.06154, 0.81526, 0.12320, -0.37562, 1.12767, 0.24796};
const double kBrettelTritanNormal[3] = {0.03901, -0.02788, -0.01113};

double SrgbToLinear(double encoded) {
  return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

double LinearToSrgb(double linear) {
  return linear <= 0.0031308 ? linear * 12.92 : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

namespace {

constexpr int kSeverities = kMaxSeverity / kSeverityStep;

struct AllTables {
  Model protan[kSeverities];
  Model deutan[kSeverities];
  Model tritan;
};

PackedTerms Pack(const Matrix& matrix, const double (&linear)[256]) {
  PackedTerms packed;
  constexpr double kScale = kLinearOne;
  for (int in = 0; in < 3; ++in) {
    for (int v = 0; v < 256; ++v) {
      uint64_t word = 0;
      for (int out = 0; out < 3; ++out) {
        // Matrix rows and columns run red, green, blue; inputs and outputs here blue, green, red.
        const double weight = matrix[(2 - out) * 3 + (2 - in)];
        const int64_t term = std::llround(weight * linear[v] * kScale) + (in == 0 ? kFieldBias : 0);
        word += static_cast<uint64_t>(term) << kFieldShift[out];
      }
      packed.byInput[in][v] = word;
    }
  }
  return packed;
}

// Some 130 KB: built on the heap, not on the stack.
std::unique_ptr<const AllTables> Build() {
  auto built = std::make_unique<AllTables>();
  AllTables& all = *built;
  double linear[256];
  for (int v = 0; v < 256; ++v) linear[v] = SrgbToLinear(v / 255.0);
  for (int s = 0; s < kSeverities; ++s) {
    all.protan[s].ahead = Pack(kMachadoProtan[s], linear);
    all.deutan[s].ahead = Pack(kMachadoDeutan[s], linear);
  }
  Model& tritan = all.tritan;
  tritan.ahead = Pack(kBrettelTritan660, linear);
  // d = (M660 - M485) n / (n . n), the rank-one part's column; outputs and n blue first.
  const double* n = kBrettelTritanNormal;
  const double nn = n[0] * n[0] + n[1] * n[1] + n[2] * n[2];
  for (int out = 0; out < 3; ++out) {
    const int row = (2 - out) * 3;
    double dn = 0;
    for (int in = 0; in < 3; ++in) dn += (kBrettelTritan660[row + in] - kBrettelTritan485[row + in]) * n[in];
    tritan.behindCorrection[out] = static_cast<float>(dn / nn);
    tritan.normal[out] = static_cast<float>(n[2 - out]);
  }
  tritan.split = true;
  return built;
}

const AllTables& All() {
  static const std::unique_ptr<const AllTables> all = Build();
  return *all;
}

}  // namespace

const Model& ModelOf(SimulatedVision simulation) {
  const AllTables& all = All();
  const int step = ValidSeverity(simulation.severity) / kSeverityStep - 1;
  switch (simulation.deficiency) {
    case VisionDeficiency::Protan:
      return all.protan[step];
    case VisionDeficiency::Deutan:
      return all.deutan[step];
    default:
      return all.tritan;
  }
}

namespace {

// Runs this long (rows and frames on a processor without the vector loops) encode through a
// table of every step of linear light, made once from EncodeLinear itself, so the bytes are the
// same; shorter ones (the vector loops' tails, single colors) encode each value, whose fused
// multiply-adds are made of double arithmetic here.
constexpr size_t kTableRun = 64;

const uint8_t* EncodeTable() {
  static const std::unique_ptr<const uint8_t[]> table = [] {
    auto made = std::make_unique<uint8_t[]>(kLinearOne);  // 256 KiB
    for (int32_t linear = 0; linear < kLinearOne; ++linear) made[linear] = static_cast<uint8_t>(EncodeLinear(linear));
    return made;
  }();
  return table.get();
}

template <bool kTable>
void SimulateRuns(uint32_t* pixels, size_t count, const Model& model) {
  const uint8_t* table = kTable ? EncodeTable() : nullptr;
  const auto encode = [table](int32_t linear) -> uint32_t {
    if constexpr (kTable) return table[std::clamp(linear, 0, kLinearOne - 1)];
    return EncodeLinear(linear);
  };
  const auto simulate = [&](uint32_t color) {
    int32_t linear[3];
    LinearOf(PackedSumOf(color, model), model, linear);
    return encode(linear[2]) << 16 | encode(linear[1]) << 8 | encode(linear[0]);
  };
  // Desktop pictures are mostly runs of one colour: each run is worked out once.
  uint32_t lastIn = kNoColor;
  uint32_t lastOut = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t pixel = pixels[i];
    if ((pixel & 0xFFFFFFu) != lastIn) {
      lastIn = pixel & 0xFFFFFFu;
      lastOut = simulate(lastIn);
    }
    pixels[i] = (pixel & 0xFF000000u) | lastOut;
  }
}

void SimulatePlain(uint32_t* pixels, size_t count, const Model& model) {
  if (count >= kTableRun) {
    SimulateRuns<true>(pixels, count, model);
  } else {
    SimulateRuns<false>(pixels, count, model);
  }
}

}  // namespace

const SimulationKernels kPlainSimulation = {SimulatePlain};

}  // namespace vision

int ValidSeverity(int severity) {
  const bool offered = severity >= kMinSeverity && severity <= kMaxSeverity && severity % kSeverityStep == 0;
  return offered ? severity : kMaxSeverity;
}

std::string VisionSimulationName(SimulatedVision simulation) {
  const int severity = ValidSeverity(simulation.severity);
  const bool full = severity == kMaxSeverity;
  const char* name = nullptr;
  switch (simulation.deficiency) {
    case VisionDeficiency::Protan:
      name = full ? "Protanopia" : "Protanomaly";
      break;
    case VisionDeficiency::Deutan:
      name = full ? "Deuteranopia" : "Deuteranomaly";
      break;
    case VisionDeficiency::Tritan:
      return "Tritanopia";
    default:
      return {};
  }
  if (full) return name;
  // Formatted, not concatenated: GCC 12 warns falsely about the concatenation (-Wrestrict).
  char text[32];
  std::snprintf(text, sizeof(text), "%s %d %%", name, severity);
  return text;
}

void ApplyVisionSimulation(uint32_t* pixels, size_t count, SimulatedVision simulation) {
  if (!simulation.On() || count == 0) return;
  using namespace vision;
  cpu::Pick(kPlainSimulation, nullptr, Avx2Simulation(), Avx512Simulation())
      .simulate(pixels, count, ModelOf(simulation));
}

void ApplyVisionSimulation(uint32_t* pixels, size_t count, SimulatedVision simulation, FilteredPiece piece,
                           void* context) {
  ApplyVisionSimulation(pixels, count, simulation);
  if (count > 0) piece(context, 0, count);
}

ColorRef SimulateColor(ColorRef color, SimulatedVision simulation) {
  // A colour is red in its low byte, a pixel blue.
  uint32_t pixel = (color & 0xFFu) << 16 | (color & 0xFF00u) | (color >> 16 & 0xFFu);
  ApplyVisionSimulation(&pixel, 1, simulation);
  return (pixel & 0xFFu) << 16 | (pixel & 0xFF00u) | (pixel >> 16 & 0xFFu);
}
