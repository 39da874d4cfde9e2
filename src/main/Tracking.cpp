#include "main/Tracking.h"

#include "main/CaretFollow.h"
#include "main/CommandPoint.h"
#include "main/MoveAwayFromPointer.h"
#include "main/Placement.h"
#include "main/StatusPanel.h"
#include "main/StatusReadouts.h"
#include "platform/Screen.h"
#include "view/VwImage.h"

void Tracking::Tick() {
  if (ticking_) return;
  ticking_ = true;
  const unsigned loopsBefore = nestedLoops_;
  // A failing query or setter ends this tick only; the next one starts afresh.
  try {
    TrackingTick(loopsBefore);
  } catch (...) {
  }
  // Interrupted, the guard was handed to the ticks of the nested loop, which have finished.
  if (nestedLoops_ == loopsBefore) ticking_ = false;
}

void Tracking::NestedLoopStarting() {
  if (!ticking_) return;
  ++nestedLoops_;
  ticking_ = false;
}

void Tracking::FixedLocation1Click() {
  fixedLocation_ = !fixedLocation_;
  Point pointer;
  if (!commandPoint_.Pointer(pointer)) return;
  memX = pointer.x;
  memY = pointer.y;
}

void Tracking::btnTypeClick() {
  followkey = !followkey;
  panel_.btnType.Down = followkey;
  followCaretMark_ = panel_.btnType.Down;
  view_.SetShowCursor(followkey ? false : cursorChosen_());
  panel_.Changed();
}

void Tracking::FlipwhenHovered1Click() {
  flipWhenHovered_ = !flipWhenHovered_;
  writeSettings_();
}

void Tracking::MoveAwayFromPointer() { ::MoveAwayFromPointer(roles_.screen, roles_.monitors, roles_.windows, window_); }

void Tracking::TrackingTick(unsigned loopsBefore) {
  const Rect desktop = roles_.screen.VirtualScreen();
  const Point source = SourceSize(view_.Width(), view_.Height(), view_.Zoom(), desktop);

  Point pointer;
  if (!roles_.screen.CursorPos(pointer)) return;

  if (flipWhenHovered_) {
    if (roles_.screen.ControlKeyDown()) return;
    if (roles_.windows.WindowRect(window_).Contains(pointer) || roles_.windows.RootWindowFromPoint(pointer) == window_)
      MoveAwayFromPointer();
  }

  Point centre = pointer;
  int64_t shiftX = 0;
  int64_t shiftY = 0;
  Point caret;
  if (fixedLocation_) {
    centre = {memX, memY};
    shiftX = int64_t{pointer.x} - memX;
    shiftY = int64_t{pointer.y} - memY;
  } else if (followkey && caret_.GetCaretPosition(caret)) {
    centre = caret;
  }
  if (nestedLoops_ != loopsBefore) return;

  const AxisPlacement across = PlaceOnAxis(centre.x, shiftX, desktop.left, desktop.Width(), source.x);
  const AxisPlacement down = PlaceOnAxis(centre.y, shiftY, desktop.top, desktop.Height(), source.y);
  view_.BeginUpdate();
  view_.SetScreenTop(down.screen);
  view_.SetScreenLeft(across.screen);
  view_.SetTopOffset(down.offset);
  view_.SetLeftOffset(across.offset);
  view_.EndUpdate(true);
  if (panel_.Panel1.Visible) readouts_.UpdateStatusReadouts(centre);
}

void Tracking::AddSettings(SettingsLists& lists) {
  lists.written.push_back(WrittenInteger("memX", [this] { return memX; }));
  lists.written.push_back(WrittenInteger("memY", [this] { return memY; }));

  lists.formState.push_back(StoredFlag("FixedLocation1_Checked", fixedLocation_));
  lists.formState.push_back(StoredFlag("btnType_Down", panel_.btnType.Down));
  lists.formState.push_back(StoredFlag("FollowCaretPosition1_Checked", followCaretMark_));
  lists.formState.push_back(StoredFlag("FlipwhenHovered1_Checked", flipWhenHovered_));
}

void Tracking::FormShow(SettingsStore& store) {
  memX = ReadInteger(store, "memX", 0);
  memY = ReadInteger(store, "memY", 0);
  followkey = panel_.btnType.Down;
}
