#pragma once

#include <cstdint>
#include <functional>

#include "main/DisplayCommands.h"
#include "platform/Screen.h"

// Virtual-key codes of the arrow keys.
inline constexpr uint16_t kVkLeft = 0x25;
inline constexpr uint16_t kVkUp = 0x26;
inline constexpr uint16_t kVkRight = 0x27;
inline constexpr uint16_t kVkDown = 0x28;

// The arrow keys move the pointer by one physical pixel, ten with Shift, for placing it on
// exactly the pixel to read; the picture and the readouts follow at once.
class PointerNudge {
 public:
  PointerNudge(Screen& screen, std::function<void()> follow) : screen_(screen), follow_(std::move(follow)) {}

  // A key while the picture has the keyboard; true when it moved the pointer. With Ctrl or
  // Alt an arrow is left alone: some drivers rotate the screen with Ctrl+Alt+arrows.
  bool KeyDown(uint16_t key, ShiftState shift);

 private:
  Screen& screen_;
  std::function<void()> follow_;
};
