#include <gtest/gtest.h>

#include <vector>

#include "base/Bitmap.h"
#include "unit/CpuPaths.h"
#include "view/Flips.h"

namespace {

std::vector<uint32_t> Counting(size_t count, uint32_t from) {
  std::vector<uint32_t> pixels(count);
  for (size_t i = 0; i < count; ++i) pixels[i] = from + static_cast<uint32_t>(i);
  return pixels;
}

// Every length up to past two of the widest blocks from each end, and a view's row, on every
// path: the blocks meet in the middle at every offset.
TEST(FlipKernels, EveryPathReversesAndSwapsEveryLength) {
  std::vector<size_t> lengths;
  for (size_t n = 0; n <= 41; ++n) lengths.push_back(n);
  lengths.push_back(1920);
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    for (const size_t n : lengths) {
      std::vector<uint32_t> pixels = Counting(n, 100);
      FlipPixels().reverse(pixels.data(), n);
      for (size_t i = 0; i < n; ++i) ASSERT_EQ(pixels[i], 100 + (n - 1 - i)) << path.name << " length " << n;

      std::vector<uint32_t> a = Counting(n, 0), b = Counting(n, 5000);
      FlipPixels().swap(a.data(), b.data(), n);
      EXPECT_EQ(a, Counting(n, 5000)) << path.name << " length " << n;
      EXPECT_EQ(b, Counting(n, 0)) << path.name << " length " << n;
    }
  }
}

TEST(FlipKernels, BitmapsMirrorEachWayOnEveryPath) {
  for (const CpuPath& path : CpuPaths()) {
    const CpuPathScope scope(path);
    for (const auto& [w, h] : {std::pair{37, 5}, std::pair{16, 4}, std::pair{1, 1}}) {
      Bitmap bitmap;
      bitmap.SetSize(w, h);
      auto at = [w](int x, int y) { return static_cast<uint32_t>(y * 1000 + x); };
      auto reset = [&] {
        for (int y = 0; y < h; ++y)
          for (int x = 0; x < w; ++x) bitmap.At(x, y) = at(x, y);
      };
      reset();
      FlipBitmapHorizontally(bitmap);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(bitmap.At(x, y), at(w - 1 - x, y)) << path.name;
      reset();
      FlipBitmapVertically(bitmap);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(bitmap.At(x, y), at(x, h - 1 - y)) << path.name;
      reset();
      FlipBitmapBothWays(bitmap);
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) ASSERT_EQ(bitmap.At(x, y), at(w - 1 - x, h - 1 - y)) << path.name;
    }
  }
}

}  // namespace
