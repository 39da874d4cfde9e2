#include "base/Cpu.h"

namespace cpu {

namespace {

uint32_t Detect() {
  uint32_t features = 0;
#ifdef GLIMMERLUX_X86_SIMD
  // The checks for AVX2 and AVX-512 include the system saving the wide registers.
  __builtin_cpu_init();
  features |= kSse2;
  if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) features |= kAvx2;
  if ((features & kAvx2) != 0 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
      __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi2")) {
    features |= kAvx512;
  }
#endif
  return features;
}

uint32_t mask = kAllFeatures;

}  // namespace

uint32_t Features() {
  static const uint32_t detected = Detect();
  return detected & mask;
}

void MaskFeatures(uint32_t keep) { mask = keep; }

}  // namespace cpu
