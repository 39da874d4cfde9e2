#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "base/Cpu.h"
#include "view/ColorFilter.h"
#include "view/VisionSimulation.h"
#include "view/VisionSimulationInternal.h"

namespace {

struct NamedSimulation {
  const char* name;
  SimulatedVision simulation;
};

constexpr NamedSimulation kSimulations[] = {
    {"Protanopia", {VisionDeficiency::Protan, 100}},
    {"Deuteranomaly50", {VisionDeficiency::Deutan, 50}},
    {"Tritanopia", {VisionDeficiency::Tritan, 100}},
};

// A full frame of noise (or a desktop picture) recolored in place, restored outside the timing,
// as the colour filters' frames are, so the two read side by side.
template <typename Recolor>
void RecolorFrame(benchmark::State& state, bool desktop, Recolor recolor) {
  Bitmap noise, frame;
  noise.SetSize(bench::kViewWidth, bench::kViewHeight);
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  if (desktop) {
    bench::FillDesktop(noise);
  } else {
    bench::FillNoise(noise);
  }
  BuildFilterTables();
  recolor(frame);  // the tables, built once per process
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.Pixels(), noise.Pixels(), noise.PixelCount() * sizeof(uint32_t));
    state.ResumeTiming();
    recolor(frame);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frame.PixelCount()));
}

// Leaves only some of the processor's features on while it lives.
class OnlyFeatures {
 public:
  explicit OnlyFeatures(uint32_t keep) { cpu::MaskFeatures(keep); }
  ~OnlyFeatures() { cpu::MaskFeatures(cpu::kAllFeatures); }
  OnlyFeatures(const OnlyFeatures&) = delete;
  OnlyFeatures& operator=(const OnlyFeatures&) = delete;
};

void RegisterSimulation(const std::string& name, SimulatedVision simulation, bool desktop,
                        uint32_t features = cpu::kAllFeatures) {
  benchmark::RegisterBenchmark(name.c_str(), [simulation, desktop, features](benchmark::State& state) {
    const OnlyFeatures only(features);
    RecolorFrame(state, desktop, [simulation](Bitmap& frame) {
      ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), simulation);
    });
  })->Unit(benchmark::kMicrosecond);
}

// The AVX2 loop alone, for processors without AVX-512, where this one has it; the plain loop
// (whose long runs encode through its table), for processors without AVX2 and FMA.
constexpr uint32_t kAvx2Only = cpu::kSse2 | cpu::kAvx2;

const bool kRegistered = [] {
  const std::string libyuv = "ColorFilter/Protanopia/libyuv";
  const std::string libyuvPath = bench::LibyuvColorMatrixPath();
  for (const NamedSimulation& s : kSimulations) {
    const std::string ours = std::string("VisionSimulation/") + s.name;
    RegisterSimulation(ours, s.simulation, false);
    // libyuv's matrix over the same frame is the goal's reference, which does not move when our
    // filter does; the simple matrix the colour filters apply is the record.
    bench::Compare(ours,
                   {{"libyuv ARGBColorMatrix", libyuv, 2.0, libyuvPath},
                    {"color filter Protanopia Simulation", "ColorFilter/Protanopia/ours", 0.0,
                     bench::PathName(cpu::kAllFeatures)}},
                   bench::PathName(cpu::kAllFeatures));
    if (cpu::Has(cpu::kAvx512)) {
      RegisterSimulation(ours + "/avx2", s.simulation, false, kAvx2Only);
      bench::Compare(ours + "/avx2", {{"libyuv ARGBColorMatrix", libyuv, 2.0, libyuvPath}}, "avx2");
    }
    RegisterSimulation(ours + "/plain", s.simulation, false, 0);
    bench::Compare(ours + "/plain", {{"libyuv ARGBColorMatrix", libyuv, 0.0, libyuvPath}}, "plain");
  }
  // What bounds the vector loops: the table sums alone (three loads a pixel, scalar), summed over
  // the frame as the loops sum them, and nothing else.
  benchmark::RegisterBenchmark("VisionSimulationParts/sums", [](benchmark::State& state) {
    const vision::Model& model = vision::ModelOf({VisionDeficiency::Protan, 100});
    RecolorFrame(state, false, [&model](Bitmap& frame) {
      uint64_t all = 0;
      const uint32_t* pixels = frame.Pixels();
      for (size_t i = 0; i < frame.PixelCount(); ++i) all ^= vision::PackedSumOf(pixels[i], model);
      benchmark::DoNotOptimize(all);
    });
  })->Unit(benchmark::kMicrosecond);
  bench::Compare("VisionSimulationParts/sums", {{"libyuv ARGBColorMatrix", libyuv, 0.0, libyuvPath}}, "scalar");
  // A desktop picture, whose runs of one colour the simulation works out once each.
  const SimulatedVision protanopia{VisionDeficiency::Protan, 100};
  RegisterSimulation("VisionSimulationDesktop/Protanopia", protanopia, true);
  benchmark::RegisterBenchmark("VisionSimulationDesktop/filter", [](benchmark::State& state) {
    RecolorFrame(state, true, [](Bitmap& frame) { ApplyColorFilter(frame, cfProtanopia); });
  })->Unit(benchmark::kMicrosecond);
  bench::Compare("VisionSimulationDesktop/Protanopia",
                 {{"color filter Protanopia Simulation", "VisionSimulationDesktop/filter", 0.0,
                   bench::PathName(cpu::kAllFeatures)}},
                 bench::PathName(cpu::kAllFeatures));
  if (cpu::Has(cpu::kAvx512)) {
    RegisterSimulation("VisionSimulationDesktop/Protanopia/avx2", protanopia, true, kAvx2Only);
    bench::Compare("VisionSimulationDesktop/Protanopia/avx2",
                   {{"color filter Protanopia Simulation", "VisionSimulationDesktop/filter", 0.0,
                     bench::PathName(cpu::kAllFeatures)}},
                   "avx2");
  }
  return true;
}();

}  // namespace
