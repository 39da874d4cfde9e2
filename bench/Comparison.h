#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Our cases measured against references in the same run. Each benchmark runs on its own;
// once all have run, the reporter prints one row per case and reference with the ratio of
// their median CPU times.
namespace bench {

struct Reference {
  std::string label;      // what the reader sees, e.g. "libyuv kFilterNone"
  std::string benchmark;  // the registered benchmark that measures it
  double goal = 0;        // ours / reference must not exceed this; 0 for none
  std::string path = {};  // the SIMD path the reference takes here, where it is known
};

// `oursPath`: the SIMD path our side takes, where the case fixes it.
void Compare(const std::string& ours, std::vector<Reference> references, std::string oursPath = {});

// The widest of our instruction sets among `features` (cpu::Feature) that this processor runs
// and the features left on allow: "avx512", "avx2", "sse2" or "plain".
std::string PathName(uint32_t features);

// The loop libyuv's ARGBColorMatrix runs on a frame of the view's width here.
std::string LibyuvColorMatrixPath();

}  // namespace bench
