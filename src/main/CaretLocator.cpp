#include "main/CaretLocator.h"

#include "main/fmMagnifier.h"

TPoint LocateCaret(CaretSource& source) {
  TPoint caret;
  if (source.CaretFromAutomation(caret)) return caret;
  if (source.CaretFromThreadInput(caret)) return caret;
  return TPoint{};
}

bool Tfrmmain::GetCaretPosition(TPoint& caret) {
  // (0, 0) means "not found", so a caret in the desktop's very corner counts as none.
  const TPoint found = LocateCaret(FPlatform.caret);
  if (found != TPoint{}) {
    caret = found;
    FImageView->SetShowCursor(false);
    return true;
  }

  // No caret: whether the cursor image comes back depends on why the search came up empty.
  const ForegroundFocus focus = FPlatform.caret.LookAtForegroundFocus();
  switch (focus.look) {
    case FocusLook::NoForeground:
    case FocusLook::NotAttached:
      return false;
    case FocusLook::OwnThread:
    case FocusLook::NoFocusWindow:
      FPlatform.screen.CursorPos(caret);
      FImageView->SetShowCursor(Showcursor1.Checked);
      return false;
    case FocusLook::FocusWindow:
      caret = focus.caret;
      FImageView->SetShowCursor(false);
      return focus.caretRead;
  }
  return false;
}
