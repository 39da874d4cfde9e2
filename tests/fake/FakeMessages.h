#pragma once

#include <vector>

#include "platform/Messages.h"

class FakeMessages : public Messages {
 public:
  std::vector<std::string> shown;

  void ShowMessage(const std::string& text) override { shown.push_back(text); }
};
