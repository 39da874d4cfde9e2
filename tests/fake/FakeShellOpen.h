#pragma once

#include <string>
#include <vector>

#include "platform/ShellOpen.h"

// Records what was opened and answers with `result`.
class FakeShellOpen : public ShellOpen {
 public:
  std::vector<std::string> opened;
  int32_t result = 42;

  int32_t Open(const std::string& target) override {
    opened.push_back(target);
    return result;
  }
};
