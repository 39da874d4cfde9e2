#include "base/Arith.h"
#include "main/Placement.h"
#include "main/fmMagnifier.h"

void Tfrmmain::Timer1Timer() {
  if (!Visible) return;
  // A failing query or setter ends this tick only; the next one starts afresh.
  try {
    TrackingTick();
  } catch (...) {
  }
}

void Tfrmmain::TrackingTick() {
  TImageView& view = *FImageView;
  const TRect desktop = FPlatform.screen.VirtualScreen();
  const TPoint source = SourceSize(view.Width(), view.Height(), view.Zoom(), desktop);

  TPoint pointer;
  if (!FPlatform.screen.CursorPos(pointer)) return;

  if (FlipwhenHovered1.Checked) {
    if (FPlatform.screen.ControlKeyDown()) return;
    if (FPlatform.windows.WindowRect(FHandle).Contains(pointer) ||
        FPlatform.windows.RootWindowFromPoint(pointer) == FHandle)
      MoveAwayFromPointer();
  }

  TPoint centre = pointer;
  TPoint shift;
  TPoint caret;
  if (FixedLocation1.Checked) {
    centre = {memX, memY};
    shift = {pointer.x - memX, pointer.y - memY};
  } else if (followkey && GetCaretPosition(caret)) {
    centre = caret;
  }

  const AxisPlacement across = PlaceOnAxis(centre.x, shift.x, desktop.left, desktop.Width(), source.x);
  const AxisPlacement down = PlaceOnAxis(centre.y, shift.y, desktop.top, desktop.Height(), source.y);
  view.BeginUpdate();
  view.SetScreenTop(down.screen);
  view.SetScreenLeft(across.screen);
  view.SetTopOffset(down.offset);
  view.SetLeftOffset(across.offset);
  view.EndUpdate(true);
  if (Panel1.Visible) UpdateStatusReadouts(centre);
}
