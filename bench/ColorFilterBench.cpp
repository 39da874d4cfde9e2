#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "view/ColorFilter.h"
#include "view/ColorFilterInternal.h"

namespace {

using color_filter::Path;

// A full-HD capture, the size the filter meets at zoom 1 on a full-HD view.
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

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

// Noise: every pixel looks up unrelated table rows, the worst case for the cache. A desktop
// with its flat areas does better.
std::vector<uint32_t> Noise() {
  std::mt19937 random(1);
  std::vector<uint32_t> pixels(static_cast<size_t>(kWidth) * kHeight);
  for (uint32_t& p : pixels) p = static_cast<uint32_t>(random());
  return pixels;
}

void Restore(Bitmap& bitmap, const std::vector<uint32_t>& pixels) {
  std::memcpy(bitmap.Pixels(), pixels.data(), pixels.size() * sizeof(uint32_t));
}

// The filter works in place, so every pass starts again from the same noise, untimed.
void FilterFrame(benchmark::State& state, TColorFilterMode mode) {
  const std::vector<uint32_t> noise = Noise();
  Bitmap bitmap;
  bitmap.SetSize(kWidth, kHeight);
  ApplyColorFilter(bitmap, mode);  // the tables are built once, before timing
  for (auto _ : state) {
    state.PauseTiming();
    Restore(bitmap, noise);
    state.ResumeTiming();
    ApplyColorFilter(bitmap, mode);
    benchmark::DoNotOptimize(bitmap.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bitmap.PixelCount()));
}

// One pixel loop forced, to compare the plain reference with each fast path.
void FilterFrameWith(benchmark::State& state, Path path, TColorFilterMode mode) {
  if (!color_filter::PathAvailable(path)) {
    state.SkipWithError("this processor lacks the instructions");
    return;
  }
  BuildFilterTables();
  const std::vector<uint32_t> noise = Noise();
  Bitmap bitmap;
  bitmap.SetSize(kWidth, kHeight);
  for (auto _ : state) {
    state.PauseTiming();
    Restore(bitmap, noise);
    state.ResumeTiming();
    color_filter::FilterPixels(path, bitmap.Pixels(), bitmap.PixelCount(), mode);
    benchmark::DoNotOptimize(bitmap.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bitmap.PixelCount()));
}

// The floor: reading and writing the same number of bytes once.
void CopyCapture(benchmark::State& state) {
  const std::vector<uint32_t> noise = Noise();
  Bitmap bitmap;
  bitmap.SetSize(kWidth, kHeight);
  for (auto _ : state) {
    Restore(bitmap, noise);
    benchmark::DoNotOptimize(bitmap.Pixels());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(bitmap.PixelCount()));
}

const bool kRegistered = [] {
  benchmark::RegisterBenchmark("ColorFilter/CopyCapture", CopyCapture)->Unit(benchmark::kMicrosecond);
  for (const NamedMode& m : kModes) {
    benchmark::RegisterBenchmark((std::string("ColorFilter/") + m.name).c_str(), FilterFrame, m.mode)
        ->Unit(benchmark::kMicrosecond);
  }
  const std::pair<Path, const char*> paths[] = {{Path::kPlain, "plain"}, {Path::kSse2, "sse2"}, {Path::kBmi2, "bmi2"}};
  for (const auto& [path, pathName] : paths) {
    for (const NamedMode& m : kModes) {
      const std::string name = std::string("ColorFilterPath/") + pathName + "/" + m.name;
      benchmark::RegisterBenchmark(name.c_str(), FilterFrameWith, path, m.mode)->Unit(benchmark::kMicrosecond);
    }
  }
  return true;
}();

}  // namespace
