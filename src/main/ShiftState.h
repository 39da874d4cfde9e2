#pragma once

// The modifier keys held with a key.
struct TShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};
