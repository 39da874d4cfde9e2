#pragma once

#include "base/Geometry.h"
#include "platform/Caret.h"

// The caret lookups behind Win32Caret, callable on their own by tests of this layer.
// None of them waits on the foreground application: the automation calls run under short
// timeouts, a foreground window that has stopped responding is left alone, and input
// queues are attached only around calls that cannot block.
namespace caret_probe {

// Needs COM initialised on the calling thread.
bool FromAutomation(TPoint& caret);
bool FromThreadInput(TPoint& caret);
ForegroundFocus LookAtForegroundFocus();

}  // namespace caret_probe
