#pragma once

// The modifier keys held with a key.
struct ShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};
