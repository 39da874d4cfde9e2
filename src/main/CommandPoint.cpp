#include "main/CommandPoint.h"

void CommandPoint::MenuOpened() {
  if (menus_++ > 0) return;
  if (OnMenuOpening) OnMenuOpening();
  pointerKnown_ = screen_.CursorPos(pointer_);
  colour_ = pointerKnown_ && sampleColour ? sampleColour(pointer_) : std::nullopt;
}

void CommandPoint::MenuClosed() {
  if (menus_ > 0) --menus_;
}

bool CommandPoint::Pointer(TPoint& at) const {
  if (!MenuOpen()) return screen_.CursorPos(at);
  if (pointerKnown_) at = pointer_;
  return pointerKnown_;
}

std::optional<TColor> CommandPoint::Colour() const {
  if (MenuOpen()) return colour_;
  TPoint pointer;
  if (!screen_.CursorPos(pointer) || !sampleColour) return std::nullopt;
  return sampleColour(pointer);
}
