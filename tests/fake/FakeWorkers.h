#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Workers.h"

// Work handed off is held until the test runs it, on the test's own thread: a worker blocked
// for good is one never run. The news it sends is counted, and delivered as the test says.
class FakeWorkers : public Workers {
 public:
  std::vector<std::function<void()>> held;
  // Shared with the wakers, which may be called after this fake has gone.
  std::shared_ptr<int> wakes = std::make_shared<int>(0);

  void Start(std::function<void()> work) override { held.push_back(std::move(work)); }
  std::function<void()> Waker(WindowId /*window*/) override {
    return [wakes = wakes] { ++*wakes; };
  }
  // Runs every held job to its end; true when there was one.
  bool RunHeld() {
    std::vector<std::function<void()>> jobs = std::exchange(held, {});
    for (const auto& job : jobs) job();
    return !jobs.empty();
  }
  // True once for each batch of news sent since the last call.
  bool TakeWakes() { return std::exchange(*wakes, 0) > 0; }
};
