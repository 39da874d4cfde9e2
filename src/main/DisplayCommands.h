#pragma once

#include <cstdint>
#include <functional>

#include "main/MenuItems.h"
#include "main/Timer.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "view/VwImage.h"

inline constexpr uint16_t kVkSpace = 0x20;

// The modifier keys held with a key.
struct ShiftState {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

// The main menu's commands that change how and how often the picture is shown, or copy it.
class DisplayCommands {
 public:
  DisplayCommands(Timer& timer, TCustomImageView& view, TMainMenuItems& items, Clipboard& clipboard,
                  Messages& messages, std::function<void()> writeSettings)
      : timer_(timer),
        view_(view),
        items_(items),
        clipboard_(clipboard),
        messages_(messages),
        writeSettings_(std::move(writeSettings)) {}

  // The grid spacing in desktop pixels; 0 draws none.
  int pixlevel = 0;
  // The number of the checked filter item; none checked counts as no filter.
  int ColorFilterIndex() const;
  // Checks the filter item of that number and no other.
  void CheckFilterItem(int filter);

  // Update frequency: the sender's Tag is the timer interval in milliseconds.
  void N1xpersecond1Click(TMenuItem& Sender);
  void setFreqChecked();
  void Smoothen1Click();
  // The sender's Tag is the filter's number.
  void ColorFilterClick(TMenuItem& Sender);
  void FlipHorizontally1Click();
  void FlipVertically1Click();
  void Showcursor1Click();
  void DrawCrossHair1Click();
  // The sender's Tag is the grid spacing.
  void N1pixel1Click(TMenuItem& Sender);
  void DrawFixedGrid1Click();
  void FlipwhenHovered1Click();
  void CopyImagetoClipboard1Click();
  void Enabled1Click();
  // The magnifier was switched on or off ("Glimmerlux On/Off", Space).
  std::function<void()> OnSwitched;
  // Every key the window sees before its controls; Space alone switches the magnifier.
  void FormKeyDown(uint16_t& Key, ShiftState Shift);

 private:
  // Toggles the item and hands its new state to the view.
  void ToggleViewOption(TMenuItem& item, void (TCustomImageView::*setter)(bool));

  Timer& timer_;
  TCustomImageView& view_;
  TMainMenuItems& items_;
  Clipboard& clipboard_;
  Messages& messages_;
  std::function<void()> writeSettings_;
};
