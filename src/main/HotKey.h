#pragma once

#include <cstdint>
#include <functional>

#include "platform/HotKeys.h"

inline constexpr const char* kHotKeyAtomName = "HotKey1";
// Ctrl+Alt+G, the same keys as the show/hide command's shortcut.
inline constexpr uint32_t kHotKeyModifiers = kModAlt | kModControl;
inline constexpr uint32_t kHotKeyKey = 'G';

// The system-wide Ctrl+Alt+G that hides the program to the tray or brings it back, from
// whatever application has the keyboard focus.
class HotKey {
 public:
  HotKey(HotKeys& keys, const WindowId& window, std::function<void()> toggle)
      : keys_(keys), window_(window), toggle_(std::move(toggle)) {}

  // The global atom of "HotKey1", zero-extended; 0 while there is none.
  uint32_t HotKeyID = 0;

  // When another program holds the combination, the program goes on without it, silently.
  void Register();
  // Only one combination is ever registered, so the message needs no reading.
  void WMHotKey() { toggle_(); }
  void Release();

 private:
  HotKeys& keys_;
  const WindowId& window_;
  std::function<void()> toggle_;
};
