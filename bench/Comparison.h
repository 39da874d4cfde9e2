#pragma once

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
};

void Compare(const std::string& ours, std::vector<Reference> references);

}  // namespace bench
