#pragma once

#include <cstdint>
#include <type_traits>

// Vector code is built for x86-64 under GCC and Clang (MinGW included): every such processor
// runs SSE2, and the AVX2 functions carry their own target, chosen at run time.
#if defined(__x86_64__) && defined(__GNUC__)
#define GLIMMERLUX_X86_SIMD 1
#define GLIMMERLUX_AVX2 [[gnu::target("avx2,fma")]]
// For helpers that take or give 256-bit values: 64-bit Windows does not align the stack to 32
// bytes, so such values must never be passed on it (spills are safe: the Windows build assembles
// aligned vector moves as unaligned ones, CMakeLists.txt).
#define GLIMMERLUX_AVX2_INLINE [[gnu::target("avx2,fma"), gnu::always_inline]] inline
// A lambda does not take its function's target: one that uses AVX2 says so (base/Steps.h).
#define GLIMMERLUX_AVX2_LAMBDA __attribute__((target("avx2,fma")))
// AVX-512 as Ice Lake and Zen 4 have it: F, BW, VL and VBMI2. The same rule for 512-bit values.
#define GLIMMERLUX_AVX512 [[gnu::target("avx2,fma,avx512f,avx512bw,avx512vl,avx512vbmi2")]]
#define GLIMMERLUX_AVX512_INLINE \
  [[gnu::target("avx2,fma,avx512f,avx512bw,avx512vl,avx512vbmi2"), gnu::always_inline]] inline
#define GLIMMERLUX_AVX512_LAMBDA __attribute__((target("avx2,fma,avx512f,avx512bw,avx512vl,avx512vbmi2")))
#endif

// The processor's instruction sets, found once, and the one way a module picks its fastest
// kernel table. Tests mask features off so that every path the machine has runs.
namespace cpu {

enum Feature : uint32_t {
  kSse2 = 1u << 0,
  kAvx2 = 1u << 1,    // with FMA, which every AVX2 processor has
  kAvx512 = 1u << 2,  // F, BW, VL and VBMI2, with AVX2
};
inline constexpr uint32_t kAllFeatures = ~0u;

// What this build can use and this processor runs, less what the mask takes away.
uint32_t Features();
inline bool Has(Feature feature) { return (Features() & feature) != 0; }

// Keeps only the features in `mask`; kAllFeatures undoes it. Not while another thread picks.
void MaskFeatures(uint32_t mask);

// A module's kernel tables, each null where the build or the module has none: the fastest one
// allowed. Every kernel family picks this way, once per call or once per module.
template <typename Kernels>
const Kernels& Pick(const Kernels& plain, std::type_identity_t<const Kernels*> sse2,
                    std::type_identity_t<const Kernels*> avx2, std::type_identity_t<const Kernels*> avx512) {
  const uint32_t features = Features();
  if (avx512 != nullptr && (features & kAvx512) != 0) return *avx512;
  if (avx2 != nullptr && (features & kAvx2) != 0) return *avx2;
  if (sse2 != nullptr && (features & kSse2) != 0) return *sse2;
  return plain;
}

}  // namespace cpu
