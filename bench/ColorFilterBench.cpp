#include <benchmark/benchmark.h>
#include <libyuv/planar_functions.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "Comparison.h"
#include "Pictures.h"
#include "base/Bitmap.h"
#include "base/Cpu.h"
#include "view/ColorFilter.h"
#include "view/ColorFilterInternal.h"

namespace {

struct NamedMode {
  const char* name;
  TColorFilterMode mode;
};

constexpr NamedMode kModes[] = {
    {"Grayscale", cfGrayscale},
    {"Sepia", cfSepia},
    {"Invert", cfInvert},
    {"Protanopia", cfProtanopia},
    {"Deuteranopia", cfDeuteranopia},
    {"Tritanopia", cfTritanopia},
    {"ProtanopiaCorrection", cfDaltonizeProtanopia},
    {"DeuteranopiaCorrection", cfDaltonizeDeuteranopia},
    {"TritanopiaCorrection", cfDaltonizeTritanopia},
};

// Each path as the processor features left on for it.
constexpr std::pair<uint32_t, const char*> kPaths[] = {{0, "plain"},
                                                       {cpu::kSse2, "sse2"},
                                                       {cpu::kSse2 | cpu::kAvx2, "avx2"},
                                                       {cpu::kSse2 | cpu::kAvx2 | cpu::kAvx512, "avx512"}};

// libyuv's 4x4 matrix in 1/64 steps, output and input both in the order blue, green, red,
// fourth byte, taken from our tables' largest entries. Invert is the matrix -I plus nothing:
// libyuv cannot add a constant, so its invert measures the same work with a wrong picture.
std::vector<int8_t> LibyuvMatrix(TColorFilterMode mode) {
  std::vector<int8_t> m(16, 0);
  m[15] = 64;
  const int matrix = color_filter::MatrixIndex(mode);
  for (int out = 0; out < 3; ++out) {
    for (int in = 0; in < 3; ++in) {
      double weight = out == in ? -1.0 : 0.0;
      if (matrix >= 0) {
        weight = color_filter::Products()[matrix][(2 - out) * 3 + (2 - in)][255] / (255.0 * 256.0);
      }
      m[static_cast<size_t>(out * 4 + in)] = static_cast<int8_t>(std::clamp(std::lround(weight * 64), -128L, 127L));
    }
  }
  return m;
}

// The frame is filtered in place again and again, so every pass starts from the same noise,
// restored outside the timing, for ours and for the peer alike.
template <typename Filter>
void FilterNoise(benchmark::State& state, Filter filter) {
  BuildFilterTables();
  Bitmap noise, frame;
  noise.SetSize(bench::kViewWidth, bench::kViewHeight);
  frame.SetSize(bench::kViewWidth, bench::kViewHeight);
  bench::FillNoise(noise);
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.Pixels(), noise.Pixels(), noise.PixelCount() * sizeof(uint32_t));
    state.ResumeTiming();
    filter(frame);
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frame.PixelCount()));
}

// The view filters its source one row at a time while it scales (zoom 2: 960x540 of source), and
// desktop pictures rather than noise, so per-call costs and the flat-colour shortcut show here.
void FilterRows(benchmark::State& state, TColorFilterMode mode, bool desktop) {
  BuildFilterTables();
  Bitmap source, frame;
  source.SetSize(bench::kViewWidth / 2, bench::kViewHeight / 2);
  frame.SetSize(source.Width(), source.Height());
  if (desktop) {
    bench::FillDesktop(source);
  } else {
    bench::FillNoise(source);
  }
  for (auto _ : state) {
    state.PauseTiming();
    std::memcpy(frame.Pixels(), source.Pixels(), source.PixelCount() * sizeof(uint32_t));
    state.ResumeTiming();
    for (int y = 0; y < frame.Height(); ++y) ApplyColorFilter(frame, mode, {0, y, frame.Width(), y + 1});
    benchmark::DoNotOptimize(frame.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(frame.PixelCount()));
}

const bool kRegistered = [] {
  const std::string copy = bench::FrameCopy(bench::kViewWidth, bench::kViewHeight);
  for (const NamedMode& m : kModes) {
    const std::string ours = std::string("ColorFilter/") + m.name + "/ours";
    const std::string peer = std::string("ColorFilter/") + m.name + "/libyuv";
    const TColorFilterMode mode = m.mode;
    benchmark::RegisterBenchmark(ours.c_str(), [mode](benchmark::State& state) {
      FilterNoise(state, [mode](Bitmap& frame) { ApplyColorFilter(frame, mode); });
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(peer.c_str(), [mode](benchmark::State& state) {
      BuildFilterTables();
      const std::vector<int8_t> matrix = LibyuvMatrix(mode);
      FilterNoise(state, [&matrix](Bitmap& frame) {
        uint8_t* bytes = reinterpret_cast<uint8_t*>(frame.Pixels());
        libyuv::ARGBColorMatrix(bytes, frame.Width() * 4, bytes, frame.Width() * 4, matrix.data(), frame.Width(),
                                frame.Height());
      });
    })->Unit(benchmark::kMicrosecond);
    // The goal holds on the processor's best path, in every matrix mode; invert has its own peer
    // work (libyuv's matrix -I) and is measured for the record.
    const double goal = mode == cfInvert ? 0.0 : 1.0;
    bench::Compare(ours, {{"libyuv ARGBColorMatrix", peer, goal, bench::LibyuvColorMatrixPath()}, {"memcpy", copy}},
                   bench::PathName(cpu::kAllFeatures));
  }
  for (const bool desktop : {false, true}) {
    const std::string name = std::string("ColorFilterRows/Sepia/") + (desktop ? "desktop" : "noise");
    benchmark::RegisterBenchmark(name.c_str(), [desktop](benchmark::State& state) {
      FilterRows(state, cfSepia, desktop);
    })->Unit(benchmark::kMicrosecond);
  }
  // Each pixel loop on its own, so that every path this processor runs is measured.
  for (const auto& [features, pathName] : kPaths) {
    if ((cpu::Features() & features) != features) continue;
    for (const NamedMode& m : kModes) {
      const std::string name = std::string("ColorFilterPath/") + pathName + "/" + m.name;
      const uint32_t keep = features;
      const TColorFilterMode mode = m.mode;
      benchmark::RegisterBenchmark(name.c_str(), [keep, mode](benchmark::State& state) {
        cpu::MaskFeatures(keep);
        FilterNoise(state,
                    [mode](Bitmap& frame) { color_filter::FilterPixels(frame.Pixels(), frame.PixelCount(), mode); });
        cpu::MaskFeatures(cpu::kAllFeatures);
      })->Unit(benchmark::kMicrosecond);
      // With only SSE2 the goal is looser; the wider paths are the record beside the best one.
      const double goal = m.mode != cfInvert && features == cpu::kSse2 ? 1.3 : 0.0;
      if (features != 0) {
        bench::Compare(name,
                       {{"libyuv ARGBColorMatrix", std::string("ColorFilter/") + m.name + "/libyuv", goal,
                         bench::LibyuvColorMatrixPath()}},
                       pathName);
      }
    }
  }
  return true;
}();

}  // namespace
