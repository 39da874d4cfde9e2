#pragma once

#include "main/CaretFollow.h"
#include "main/CommandPoint.h"
#include "main/OptionOwner.h"
#include "main/StatusPanel.h"
#include "main/StatusReadouts.h"
#include "platform/Monitors.h"
#include "platform/Screen.h"
#include "platform/Windowing.h"

class CaretFollow;
class CommandPoint;
class Monitors;
class Screen;
class StatusReadouts;
class TCustomImageView;
class StatusPanel;

// The tick that decides what the view shows: around the pointer, the caret or a fixed point,
// with the window kept out of the pointer's way.
class Tracking : public OptionOwner {
 public:
  struct Roles {
    Screen& screen;
    Windowing& windows;
    Monitors& monitors;
  };
  // `cursorChosen`: the user's choice for the cursor image, which caret following overrides.
  Tracking(Roles roles, const WindowId& window, TCustomImageView& view, StatusPanel& panel, CaretFollow& caret,
           StatusReadouts& readouts, const CommandPoint& commandPoint, std::function<bool()> cursorChosen,
           std::function<void()> writeSettings)
      : roles_(roles),
        window_(window),
        view_(view),
        panel_(panel),
        caret_(caret),
        readouts_(readouts),
        commandPoint_(commandPoint),
        cursorChosen_(std::move(cursorChosen)),
        writeSettings_(std::move(writeSettings)) {}

  // The fixed point ("Fixed Location").
  int memX = 0;
  int memY = 0;
  // Following the caret.
  bool followkey = false;

  // One tick; a failing query or setter ends it quietly.
  void Tick();
  // A menu or a dialog opens its own message loop, perhaps from a message the caret lookup
  // pumped in the middle of a tick: ticks run inside it, and the interrupted one, once it
  // resumes, drops what it had found, which is old by then.
  void NestedLoopStarting();
  void MoveAwayFromPointer();

  // Toggles the fixed point, which becomes wherever the pointer is now, either way.
  void FixedLocation1Click();
  // Toggles caret following; the panel button and the menu item show it.
  void btnTypeClick();
  // Toggles moving the window out of the pointer's way.
  void FlipwhenHovered1Click();

  bool FixedLocation() const { return fixedLocation_; }
  // The menu's mark, stored apart from the panel button's pressed state and set from it.
  bool FollowCaretMark() const { return followCaretMark_; }
  bool FlipWhenHovered() const { return flipWhenHovered_; }

  void AddSettings(SettingsLists& lists) override;
  void FormShow(SettingsStore& store) override;

 private:
  void TrackingTick(unsigned loopsBefore);

  Roles roles_;
  const WindowId& window_;
  TCustomImageView& view_;
  StatusPanel& panel_;
  CaretFollow& caret_;
  StatusReadouts& readouts_;
  const CommandPoint& commandPoint_;
  std::function<bool()> cursorChosen_;
  std::function<void()> writeSettings_;
  bool fixedLocation_ = false;
  bool followCaretMark_ = false;
  bool flipWhenHovered_ = false;
  // A caret lookup may pump messages, and with them the next timer message.
  bool ticking_ = false;
  unsigned nestedLoops_ = 0;
};
