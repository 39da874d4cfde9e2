#pragma once

#include <functional>

#include "platform/Windowing.h"

// Work taken off the window's thread, so that nothing it waits for stops the picture, and the
// way its news comes back.
class Workers {
 public:
  virtual ~Workers() = default;

  // Runs `work` on a thread of its own that nobody waits for, not even the program as it ends:
  // `work` must own everything it touches.
  virtual void Start(std::function<void()> work) = 0;
  // A call any thread may make at any time, even after this object and the window have gone,
  // that brings `window` the news that work it handed off has ended (on the window's thread,
  // through the host's WorkDone). Several calls may bring one piece of news.
  virtual std::function<void()> Waker(WindowId window) = 0;
};
