#pragma once

#include "platform/Caret.h"
#include "platform/win32/CaretProbe.h"

class Win32Caret final : public CaretSource {
 public:
  bool CaretFromAutomation(TPoint& caret) override { return caret_probe::FromAutomation(caret); }
  bool CaretFromThreadInput(TPoint& caret) override { return caret_probe::FromThreadInput(caret); }
  ForegroundFocus LookAtForegroundFocus() override { return caret_probe::LookAtForegroundFocus(); }
};
