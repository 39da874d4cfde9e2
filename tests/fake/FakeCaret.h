#pragma once

#include <functional>
#include <utility>

#include "platform/Caret.h"

// The caret queries answer with these; each call is counted.
class FakeCaret : public CaretSource {
 public:
  bool automationFinds = false;
  Point automationCaret;
  bool threadInputFinds = false;
  Point threadInputCaret;
  ForegroundFocus foregroundFocus;
  int automationLookups = 0;
  int threadInputLookups = 0;
  int foregroundLooks = 0;
  // Runs inside the automation lookup, as the messages a cross-process call pumps would.
  std::function<void()> duringAutomation;

  bool CaretFromAutomation(Point& caret) override {
    ++automationLookups;
    // The answer is taken first: what the pumped messages change reaches the next lookup.
    caret = automationFinds ? automationCaret : Point{};
    const bool found = automationFinds;
    if (duringAutomation) std::exchange(duringAutomation, nullptr)();
    return found;
  }
  bool CaretFromThreadInput(Point& caret) override {
    ++threadInputLookups;
    caret = threadInputFinds ? threadInputCaret : Point{};
    return threadInputFinds;
  }
  ForegroundFocus LookAtForegroundFocus() override {
    ++foregroundLooks;
    return foregroundFocus;
  }
};
