#pragma once

#include <cstddef>
#include <cstdint>

class Bitmap;

// The zoom-1 paint's mirrors, in place. Every table gives the same pixels as the plain one.
struct FlipKernels {
  // Reverses the order of `count` pixels.
  void (*reverse)(uint32_t* pixels, size_t count);
  // Trades `count` pixels of `a` with those of `b`; the two do not overlap.
  void (*swap)(uint32_t* a, uint32_t* b, size_t count);
};

// Plain C++, the reference for the others.
extern const FlipKernels kPlainFlips;
// Null where the build has no such table.
const FlipKernels* Sse2Flips();
const FlipKernels* Avx2Flips();

// The fastest table the processor's features allow (base/Cpu.h).
const FlipKernels& FlipPixels();

// Mirrors a whole bitmap in place.
void FlipBitmapHorizontally(Bitmap& bitmap);
void FlipBitmapVertically(Bitmap& bitmap);
void FlipBitmapBothWays(Bitmap& bitmap);
