#pragma once

#include <cstdint>
#include <vector>

#include "base/Cpu.h"

// The kernel paths this machine runs, plain first, each as the features left on for it.
struct CpuPath {
  const char* name;
  uint32_t features;
};

// `uses`: the features the module's kernels are picked by; a path that would pick the same kernels
// as the one before it is left out.
inline std::vector<CpuPath> CpuPaths(uint32_t uses = cpu::kSse2 | cpu::kAvx2) {
  struct Level {
    cpu::Feature feature;
    const char* name;
  };
  constexpr Level kLevels[] = {{cpu::kSse2, "sse2"}, {cpu::kAvx2, "avx2"}, {cpu::kAvx512, "avx512"}};
  std::vector<CpuPath> paths{{"plain", 0}};
  uint32_t on = 0;
  for (const Level& level : kLevels) {
    if (!cpu::Has(level.feature)) break;
    on |= level.feature;
    if ((uses & level.feature) != 0) paths.push_back({level.name, on});
  }
  return paths;
}

// Leaves only a path's features on while it lives.
class CpuPathScope {
 public:
  explicit CpuPathScope(const CpuPath& path) { cpu::MaskFeatures(path.features); }
  ~CpuPathScope() { cpu::MaskFeatures(cpu::kAllFeatures); }
  CpuPathScope(const CpuPathScope&) = delete;
  CpuPathScope& operator=(const CpuPathScope&) = delete;
};
