#include "main/CommandPoint.h"

void CommandPoint::Hold() {
  Moment moment;
  moment.pointerKnown = screen_.CursorPos(moment.pointer);
  if (moment.pointerKnown && SampleColor) moment.color = SampleColor(moment.pointer);
  held_.push_back(moment);
}

void CommandPoint::Release() {
  if (!held_.empty()) held_.pop_back();
}

void CommandPoint::MenuShown() {
  if (menusShown_++ == 0 && OnMenuOpening) OnMenuOpening();
}

void CommandPoint::MenuHidden() {
  if (menusShown_ > 0) --menusShown_;
}

bool CommandPoint::Pointer(Point& at) const {
  if (held_.empty()) return screen_.CursorPos(at);
  if (held_.back().pointerKnown) at = held_.back().pointer;
  return held_.back().pointerKnown;
}

std::optional<ColorRef> CommandPoint::Color() const {
  if (!held_.empty()) return held_.back().color;
  Point pointer;
  if (!screen_.CursorPos(pointer) || !SampleColor) return std::nullopt;
  return SampleColor(pointer);
}
