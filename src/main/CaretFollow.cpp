#include "main/CaretFollow.h"

Point LocateCaret(CaretSource& source) {
  Point caret;
  if (source.CaretFromAutomation(caret)) return caret;
  if (source.CaretFromThreadInput(caret)) return caret;
  return Point{};
}

bool CaretFollow::GetCaretPosition(Point& caret) {
  // (0, 0) means "not found", so a caret in the desktop's very corner counts as none.
  const Point found = LocateCaret(source_);
  if (found != Point{}) {
    caret = found;
    view_.SetShowCursor(false);
    return true;
  }

  // No caret: whether the cursor image comes back depends on why the search came up empty.
  const ForegroundFocus focus = source_.LookAtForegroundFocus();
  switch (focus.look) {
    case FocusLook::NoForeground:
    case FocusLook::NotAttached:
      return false;
    case FocusLook::OwnThread:
    case FocusLook::NoFocusWindow:
      screen_.CursorPos(caret);
      view_.SetShowCursor(items_.Showcursor1.Checked);
      return false;
    case FocusLook::FocusWindow:
      caret = focus.caret;
      view_.SetShowCursor(false);
      return focus.caretRead;
  }
  return false;
}
