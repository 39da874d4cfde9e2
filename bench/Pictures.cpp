#include "Pictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <set>

namespace bench {

void FillNoise(Bitmap& bitmap, uint32_t seed) {
  std::mt19937 random(seed);
  for (size_t i = 0; i < bitmap.PixelCount(); ++i) bitmap.Pixels()[i] = static_cast<uint32_t>(random());
}

void FillDesktop(Bitmap& bitmap) {
  const int w = bitmap.Width();
  const int h = bitmap.Height();
  for (int y = 0; y < h; ++y) {
    uint32_t* row = bitmap.Row(y);
    for (int x = 0; x < w; ++x) {
      row[x] = static_cast<uint32_t>((x * 255 / std::max(w - 1, 1)) << 16 | (y * 255 / std::max(h - 1, 1)) << 8 | 0x60);
    }
  }
  std::mt19937 random(7);
  for (int window = 0; window < 24; ++window) {
    const int left = static_cast<int>(random() % static_cast<uint32_t>(w));
    const int top = static_cast<int>(random() % static_cast<uint32_t>(h));
    const int right = std::min(w, left + 300 + static_cast<int>(random() % 900));
    const int bottom = std::min(h, top + 200 + static_cast<int>(random() % 600));
    const uint32_t face = 0xF0F0F0 - (random() % 4) * 0x101010;
    bitmap.FillRect({left, top, right, bottom}, face);
    bitmap.FillRect({left, top, right, std::min(bottom, top + 30)}, 0x2B579A);
    for (int line = top + 40; line + 12 < bottom; line += 18) {
      for (int x = left + 8; x + 8 < right; x += 7) {
        if (random() % 5 == 0) continue;
        for (int y = line; y < line + 11; ++y) {
          for (int stroke = 0; stroke < 5; ++stroke) {
            if (random() % 3 == 0) bitmap.At(x + stroke, y) = 0x202020 + (random() % 64) * 0x010101;
          }
        }
      }
    }
  }
}

std::string FrameCopy(int width, int height) {
  static std::set<std::string> registered;
  const std::string name = "memcpy/" + std::to_string(width) + "x" + std::to_string(height);
  if (registered.insert(name).second) {
    benchmark::RegisterBenchmark(name.c_str(), [width, height](benchmark::State& state) {
      Bitmap from, to;
      from.SetSize(width, height);
      to.SetSize(width, height);
      FillNoise(from);
      for (auto _ : state) {
        std::memcpy(to.Pixels(), from.Pixels(), from.PixelCount() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.Pixels());
        benchmark::ClobberMemory();
      }
    })->Unit(benchmark::kMicrosecond);
  }
  return name;
}

}  // namespace bench
