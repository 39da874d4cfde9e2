#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/Messages.h"

class FakeMessages : public Messages {
 public:
  std::vector<std::string> shown;
  std::vector<std::pair<MessageType, std::string>> boxes;
  // Runs while a box is open, as the user would act before closing it.
  std::function<void()> whileOpen;

  void ShowMessage(const std::string& text) override { shown.push_back(text); }
  void MessageDlg(const std::string& text, MessageType kind) override {
    boxes.emplace_back(kind, text);
    if (whileOpen) whileOpen();
  }
};
