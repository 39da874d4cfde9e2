#include "view/Flips.h"

#include <algorithm>

#include "base/Bitmap.h"
#include "base/Cpu.h"

namespace {

void ReversePlain(uint32_t* pixels, size_t count) { std::reverse(pixels, pixels + count); }

void SwapPlain(uint32_t* a, uint32_t* b, size_t count) { std::swap_ranges(a, a + count, b); }

}  // namespace

const FlipKernels kPlainFlips = {ReversePlain, SwapPlain};

const FlipKernels& FlipPixels() { return cpu::Pick(kPlainFlips, Sse2Flips(), Avx2Flips(), nullptr); }

void FlipBitmapHorizontally(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int y = 0; y < bitmap.Height(); ++y) flips.reverse(bitmap.Row(y), width);
}

void FlipBitmapVertically(Bitmap& bitmap) {
  const FlipKernels& flips = FlipPixels();
  const auto width = static_cast<size_t>(bitmap.Width());
  for (int top = 0, bottom = bitmap.Height() - 1; top < bottom; ++top, --bottom)
    flips.swap(bitmap.Row(top), bitmap.Row(bottom), width);
}

void FlipBitmapBothWays(Bitmap& bitmap) {
  // Both flips turn the picture end for end, and its rows are contiguous: one pass.
  FlipPixels().reverse(bitmap.Pixels(), bitmap.PixelCount());
}
