#pragma once

#include <map>
#include <string>

#include "platform/AppWindow.h"

// Windows as three flags; every call is also written to `calls`, one word each.
class FakeAppWindow : public AppWindow {
 public:
  struct State {
    bool minimized = false;
    bool taskbarButton = true;
    bool destroyed = false;
  };
  std::map<WindowId, State> states;
  std::string calls;

  bool IsMinimized(WindowId window) override { return states[window].minimized; }
  void Minimize(WindowId window) override {
    Log("minimize");
    states[window].minimized = true;
  }
  void Restore(WindowId window) override {
    Log("restore");
    states[window].minimized = false;
  }
  void ShowTaskbarButton(WindowId window, bool shown) override {
    Log(shown ? "button" : "nobutton");
    states[window].taskbarButton = shown;
  }
  void Destroy(WindowId window) override {
    Log("destroy");
    states[window].destroyed = true;
  }

 private:
  void Log(const char* call) { calls += (calls.empty() ? "" : " ") + std::string(call); }
};
