#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
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

// A full frame of noise simulated in place, restored from the same noise outside the timing, as
// the colour filters' frames are, so the two read side by side.
void SimulateNoise(benchmark::State& state, TVisionSimulation simulation) {
  Bitmap noise, frame;
  noise.SetSize(bench::kViewWidth, bench::kViewHeight);
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  bench::FillNoise(noise);
  ApplyVisionSimulation(frame.Pixels(), 1, simulation);  // the tables, built once per process
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.Pixels(), noise.Pixels(), noise.PixelCount() * sizeof(uint32_t));
    state.ResumeTiming();
    ApplyVisionSimulation(frame.Pixels(), frame.PixelCount(), simulation);
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
      SimulateNoise(state, simulation);
    })->Unit(benchmark::kMicrosecond);
    // The simple matrix the colour filters apply, and libyuv's matrix, over the same frame.
    bench::Compare(ours, {{"colour filter Protanopia Simulation", "ColorFilter/Protanopia/ours", 1.5},
                          {"libyuv ARGBColorMatrix", "ColorFilter/Protanopia/libyuv"}});
  }
  return true;
}();

}  // namespace
