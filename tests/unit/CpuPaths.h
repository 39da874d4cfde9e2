#pragma once

#include <cstdint>
#include <vector>

#include "base/Cpu.h"

// The kernel paths this machine runs, plain first, each as the features left on for it.
struct CpuPath {
  const char* name;
  uint32_t features;
};

inline std::vector<CpuPath> CpuPaths() {
  std::vector<CpuPath> paths{{"plain", 0}};
  if (cpu::Has(cpu::kSse2)) paths.push_back({"sse2", cpu::kSse2});
  if (cpu::Has(cpu::kAvx2)) paths.push_back({"avx2", cpu::kSse2 | cpu::kAvx2});
  if (cpu::Has(cpu::kAvx512)) paths.push_back({"avx512", cpu::kSse2 | cpu::kAvx2 | cpu::kAvx512});
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
