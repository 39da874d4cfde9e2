#pragma once

#include <cstdint>

#include "base/Cpu.h"

// Per input channel (blue, green, red) and value, one 64-bit word of what that input adds to
// each of three packed output sums: a pixel's sums are three loads and two adds.
using PackedTermTable = uint64_t[3][256];

inline uint64_t PackedTermSum(uint32_t pixel, const PackedTermTable& byInput) {
#ifdef GLIMMERLUX_X86_SIMD
  // Written out because GCC 12, given the plain line below, spends two or three register
  // copies per pixel on finding the indices and spills one: on an AMD EPYC (Zen 5) the table
  // loops then measured 2-5% slower (bench, side by side, when the colour filter summed tables
  // this way too). Byte loads instead would make the load ports the bottleneck; no intrinsic
  // reads a high byte. %h needs one of the four legacy registers, hence "Q".
  uint64_t sum;
  uint32_t blue, green;
  asm("movzbl %b[px], %[b]\n\t"
      "movzbl %h[px], %[g]\n\t"
      "shrl $16, %[px]\n\t"
      "movzbl %b[px], %[px]\n\t"
      "movq (%[t],%q[b],8), %[s]\n\t"
      "addq %c[g_at](%[t],%q[g],8), %[s]\n\t"
      "addq %c[r_at](%[t],%q[px],8), %[s]"
      : [s] "=&r"(sum), [b] "=&r"(blue), [g] "=&Q"(green), [px] "+Q"(pixel)
      : [t] "r"(byInput), [g_at] "i"(sizeof byInput[0]), [r_at] "i"(2 * sizeof byInput[0]), "m"(byInput));
  return sum;
#else
  return byInput[0][pixel & 0xFF] + byInput[1][pixel >> 8 & 0xFF] + byInput[2][pixel >> 16 & 0xFF];
#endif
}
