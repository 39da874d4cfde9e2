#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "base/Cpu.h"
#include "view/ColorFilter.h"
#include "view/VisionSimulation.h"

namespace {

struct NamedSimulation {
  const char* name;
  TVisionSimulation simulation;
};

constexpr NamedSimulation kSimulations[] = {
    {"Protanopia", {TVisionDeficiency::Protan, 100}},
    {"Deuteranomaly50", {TVisionDeficiency::Deutan, 50}},
    {"Tritanopia", {TVisionDeficiency::Tritan, 100}},
};

// A full frame of noise (or a desktop picture) recoloured in place, restored outside the timing,
// as the colour filters' frames are, so the two read side by side.
template <typename Recolour>
void RecolourFrame(benchmark::State& state, bool desktop, Recolour recolour) {
  Bitmap noise, frame;
  noise.SetSize(bench::kViewWidth, bench::kViewHeight);
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  if (desktop) {
    bench::FillDesktop(noise);
  } else {
    bench::FillNoise(noise);
  }
  BuildFilterTables();
  recolour(frame);  // the tables, built once per process
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.Pixels(), noise.Pixels(), noise.PixelCount() * sizeof(uint32_t));
    state.ResumeTiming();
    recolour(frame);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frame.PixelCount()));
}

const bool kRegistered = [] {
  for (const NamedSimulation& s : kSimulations) {
    const std::string ours = std::string("VisionSimulation/") + s.name;
    const TVisionSimulation simulation = s.simulation;
    benchmark::RegisterBenchmark(ours.c_str(), [simulation](benchmark::State& state) {
      RecolourFrame(state, false, [simulation](Bitmap& frame) {
        ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), simulation);
      });
    })->Unit(benchmark::kMicrosecond);
    // The simple matrix the colour filters apply, and libyuv's matrix, over the same frame.
    bench::Compare(ours, {{"colour filter Protanopia Simulation", "ColorFilter/Protanopia/ours", 1.5},
                          {"libyuv ARGBColorMatrix", "ColorFilter/Protanopia/libyuv"}});
    // The plain loop, for processors without AVX2 and FMA.
    const std::string plain = ours + "/plain";
    benchmark::RegisterBenchmark(plain.c_str(), [simulation](benchmark::State& state) {
      cpu::MaskFeatures(0);
      RecolourFrame(state, false, [simulation](Bitmap& frame) {
        ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), simulation);
      });
      cpu::MaskFeatures(cpu::kAllFeatures);
    })->Unit(benchmark::kMicrosecond);
    // The AVX2 loop alone, for processors without AVX-512, where this one has it.
    if (cpu::Has(cpu::kAvx512)) {
      const std::string avx2 = ours + "/avx2";
      benchmark::RegisterBenchmark(avx2.c_str(), [simulation](benchmark::State& state) {
        cpu::MaskFeatures(cpu::kSse2 | cpu::kAvx2);
        RecolourFrame(state, false, [simulation](Bitmap& frame) {
          ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), simulation);
        });
        cpu::MaskFeatures(cpu::kAllFeatures);
      })->Unit(benchmark::kMicrosecond);
      bench::Compare(avx2, {{"colour filter Protanopia Simulation", "ColorFilter/Protanopia/ours"}});
    }
  }
  // A desktop picture, whose runs of one colour the simulation works out once each.
  const TVisionSimulation protanopia{TVisionDeficiency::Protan, 100};
  benchmark::RegisterBenchmark("VisionSimulationDesktop/Protanopia", [protanopia](benchmark::State& state) {
    RecolourFrame(state, true, [protanopia](Bitmap& frame) {
      ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), protanopia);
    });
  })->Unit(benchmark::kMicrosecond);
  benchmark::RegisterBenchmark("VisionSimulationDesktop/filter", [](benchmark::State& state) {
    RecolourFrame(state, true, [](Bitmap& frame) { ApplyColorFilter(frame, cfProtanopia); });
  })->Unit(benchmark::kMicrosecond);
  bench::Compare("VisionSimulationDesktop/Protanopia",
                 {{"colour filter Protanopia Simulation", "VisionSimulationDesktop/filter", 1.5}});
  if (cpu::Has(cpu::kAvx512)) {
    benchmark::RegisterBenchmark("VisionSimulationDesktop/Protanopia/avx2", [protanopia](benchmark::State& state) {
      cpu::MaskFeatures(cpu::kSse2 | cpu::kAvx2);
      RecolourFrame(state, true, [protanopia](Bitmap& frame) {
        ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), protanopia);
      });
      cpu::MaskFeatures(cpu::kAllFeatures);
    })->Unit(benchmark::kMicrosecond);
    bench::Compare("VisionSimulationDesktop/Protanopia/avx2",
                   {{"colour filter Protanopia Simulation", "VisionSimulationDesktop/filter"}});
  }
  return true;
}();

}  // namespace
