#pragma once

#include <windows.h>

#include "platform/Workers.h"

// Work handed off has ended: the window answers by calling its form's WorkDone.
inline constexpr UINT kWorkDoneMessage = WM_APP + 3;

// A detached thread per piece of work. The program never joins one: a worker still blocked in
// the network when the program ends owns only its own state and is ended with the process.
class Win32Workers final : public Workers {
 public:
  void Start(std::function<void()> work) override;
  std::function<void()> Waker(WindowId window) override;
};
