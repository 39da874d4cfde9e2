#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

#include "base/Bitmap.h"
#include "view/Scaler.h"

namespace {

// A full-HD view over a 4K desktop: the capture at zoom z is Ceil(view / z), held to the desktop.
constexpr int kViewWidth = 1920;
constexpr int kViewHeight = 1080;
constexpr int kDesktopWidth = 3840;
constexpr int kDesktopHeight = 2160;

constexpr float kZooms[] = {1.5f, 2, 3, 4, 8, 0.5f, 0.25f};

void FillNoise(Bitmap& b) {
  std::mt19937 random(1);
  for (size_t i = 0; i < b.PixelCount(); ++i) b.Pixels()[i] = static_cast<uint32_t>(random());
}

void ScaleView(benchmark::State& state, float zoom, bool smooth) {
  Bitmap source, target;
  source.SetSize(std::min(static_cast<int>(std::ceil(kViewWidth / static_cast<double>(zoom))), kDesktopWidth),
                 std::min(static_cast<int>(std::ceil(kViewHeight / static_cast<double>(zoom))), kDesktopHeight));
  target.SetSize(kViewWidth, kViewHeight);
  FillNoise(source);
  target.Fill(0x808080);
  Scaler scaler;
  for (auto _ : state) {
    scaler.Scale(source, target, {0, 0}, zoom, smooth);
    benchmark::DoNotOptimize(target.Pixels());
    benchmark::ClobberMemory();
  }
  const int64_t written =
      std::min<int64_t>(static_cast<int64_t>(std::nearbyint(source.Width() * static_cast<double>(zoom))), kViewWidth) *
      std::min<int64_t>(static_cast<int64_t>(std::nearbyint(source.Height() * static_cast<double>(zoom))), kViewHeight);
  state.counters["source"] = static_cast<double>(source.PixelCount());
  state.counters["builds"] = scaler.TableBuilds();
  state.SetItemsProcessed(state.iterations() * written);
}

// The floor: writing one view's worth of pixels.
void CopyFrame(benchmark::State& state) {
  Bitmap source, target;
  source.SetSize(kViewWidth, kViewHeight);
  target.SetSize(kViewWidth, kViewHeight);
  FillNoise(source);
  for (auto _ : state) {
    std::memcpy(target.Pixels(), source.Pixels(), source.PixelCount() * sizeof(uint32_t));
    benchmark::DoNotOptimize(target.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(target.PixelCount()));
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("CopyFrame", CopyFrame)->Unit(benchmark::kMicrosecond);
  for (bool smooth : {false, true}) {
    for (float zoom : kZooms) {
      std::ostringstream name;
      name << (smooth ? "ScaleSmooth" : "ScaleSharp") << "/zoom:" << zoom;
      benchmark::RegisterBenchmark(name.str().c_str(), ScaleView, zoom, smooth)->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace
