#pragma once

#include "platform/Caret.h"

// The caret queries answer with these; each call is counted.
class FakeCaret : public CaretSource {
 public:
  bool automationFinds = false;
  TPoint automationCaret;
  bool threadInputFinds = false;
  TPoint threadInputCaret;
  ForegroundFocus foregroundFocus;
  int automationLookups = 0;
  int threadInputLookups = 0;
  int foregroundLooks = 0;

  bool CaretFromAutomation(TPoint& caret) override {
    ++automationLookups;
    caret = automationFinds ? automationCaret : TPoint{};
    return automationFinds;
  }
  bool CaretFromThreadInput(TPoint& caret) override {
    ++threadInputLookups;
    caret = threadInputFinds ? threadInputCaret : TPoint{};
    return threadInputFinds;
  }
  ForegroundFocus LookAtForegroundFocus() override {
    ++foregroundLooks;
    return foregroundFocus;
  }
};
