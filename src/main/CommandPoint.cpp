#include "main/CommandPoint.h"

#include "platform/Screen.h"

void CommandPoint::Hold() {
  Moment moment;
  moment.pointerKnown = screen_.CursorPos(moment.pointer);
  if (moment.pointerKnown && SampleColour) moment.colour = SampleColour(moment.pointer);
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

bool CommandPoint::Pointer(TPoint& at) const {
  if (held_.empty()) return screen_.CursorPos(at);
  if (held_.back().pointerKnown) at = held_.back().pointer;
  return held_.back().pointerKnown;
}

std::optional<TColor> CommandPoint::Colour() const {
  if (!held_.empty()) return held_.back().colour;
  TPoint pointer;
  if (!screen_.CursorPos(pointer) || !SampleColour) return std::nullopt;
  return SampleColour(pointer);
}
