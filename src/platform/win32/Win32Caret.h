#pragma once

#include "platform/Caret.h"
#include "platform/win32/CaretProbe.h"

class Win32Caret final : public CaretSource {
 public:
  bool CaretFromAutomation(Point& caret) override { return automation_.FindCaret(caret); }
  bool CaretFromThreadInput(Point& caret) override { return caret_probe::FromThreadInput(caret); }
  ForegroundFocus LookAtForegroundFocus() override { return caret_probe::LookAtForegroundFocus(); }

 private:
  // Made on the UI thread at the first lookup; released with this object, which (as part of
  // Win32Services) must be gone before the thread's ComApartment is (see wWinMain).
  caret_probe::AutomationClient automation_;
};
