#pragma once

#include <windows.h>

#include "base/Geometry.h"
#include "platform/Caret.h"
#include "platform/win32/Handles.h"

namespace uia {
struct IUIAutomation;
}

// The caret lookups behind Win32Caret, callable on their own by tests of this layer.
// None of them waits on the foreground application: the automation calls run under short
// timeouts, a foreground window that has stopped responding is left alone, and input
// queues are attached only around calls that cannot block.
namespace caret_probe {

// The UI Automation client of one thread, made at its first lookup and kept: creating it
// loads and sets up the automation core, too much for every tick. It lives in that thread's
// single-threaded apartment, so it is used only there and must be destroyed before that
// thread calls CoUninitialize.
class AutomationClient {
 public:
  AutomationClient();
  ~AutomationClient();
  AutomationClient(const AutomationClient&) = delete;
  AutomationClient& operator=(const AutomationClient&) = delete;

  // Needs COM initialised on the calling thread.
  bool FindCaret(Point& caret);

 private:
  uia::IUIAutomation* Client();

  ComPtr<uia::IUIAutomation> client_;
  DWORD thread_ = 0;
  // Wine registers no automation class: one failed creation stands for all later ones.
  bool unavailable_ = false;
};

bool FromThreadInput(Point& caret);
ForegroundFocus LookAtForegroundFocus();

}  // namespace caret_probe
