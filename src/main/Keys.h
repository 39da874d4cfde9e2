#pragma once

#include <cstdint>

// Virtual-key codes as Windows numbers them; letters and digits are their own codes.
inline constexpr uint16_t kVkSpace = 0x20;
inline constexpr uint16_t kVkF1 = 0x70;
inline constexpr uint16_t kVkF4 = 0x73;

// The modifier keys held with a key.
struct ShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};
