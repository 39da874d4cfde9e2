#include "main/PointerNudge.h"

bool PointerNudge::KeyDown(uint16_t key, ShiftState shift) {
  if (shift.Ctrl || shift.Alt) return false;
  Point step;
  switch (key) {
    case kVkLeft:
      step = {-1, 0};
      break;
    case kVkRight:
      step = {1, 0};
      break;
    case kVkUp:
      step = {0, -1};
      break;
    case kVkDown:
      step = {0, 1};
      break;
    default:
      return false;
  }
  const int distance = shift.Shift ? 10 : 1;
  Point pointer;
  if (!screen_.CursorPos(pointer)) return false;
  if (!screen_.MoveCursorTo({pointer.x + step.x * distance, pointer.y + step.y * distance})) return false;
  if (follow_) follow_();
  return true;
}
