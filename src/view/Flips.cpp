#include "view/Flips.h"

#include <algorithm>

#include "base/Cpu.h"

namespace {

void ReversePlain(uint32_t* pixels, size_t count) { std::reverse(pixels, pixels + count); }

void SwapPlain(uint32_t* a, uint32_t* b, size_t count) { std::swap_ranges(a, a + count, b); }

}  // namespace

const FlipKernels kPlainFlips = {ReversePlain, SwapPlain};

const FlipKernels& FlipPixels() { return cpu::Pick(kPlainFlips, Sse2Flips(), Avx2Flips(), nullptr); }
