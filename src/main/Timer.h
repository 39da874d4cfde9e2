#pragma once

#include <cstdint>

#include "platform/Windowing.h"

// A periodic timer on the owner window's thread; ticks arrive as the window's timer messages.
class Timer {
 public:
  Timer(Windowing& platform, uintptr_t id, uint32_t interval) : platform_(platform), id_(id), interval_(interval) {}
  ~Timer() { Disarm(); }
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  // Binds the timer to its window; an enabled timer starts now.
  void AttachWindow(WindowId window) {
    Disarm();
    window_ = window;
    Arm();
  }
  uintptr_t Id() const { return id_; }
  uint32_t Interval() const { return interval_; }
  bool Enabled() const { return enabled_; }
  void SetInterval(uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Arm();
  }
  void SetEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on)
      Arm();
    else
      Disarm();
  }
  // A held timer does not tick, whatever Enabled says; switching it on or off meanwhile counts
  // once it is let go.
  void SetHeld(bool held) {
    if (held == held_) return;
    held_ = held;
    if (held)
      Disarm();
    else
      Arm();
  }

 private:
  void Arm() {
    if (enabled_ && !held_ && window_ != 0 && interval_ > 0) platform_.StartTimer(window_, id_, interval_);
  }
  void Disarm() {
    if (window_ != 0) platform_.StopTimer(window_, id_);
  }

  Windowing& platform_;
  uintptr_t id_;
  uint32_t interval_;
  bool enabled_ = true;
  bool held_ = false;
  WindowId window_ = 0;
};
