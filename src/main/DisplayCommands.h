#pragma once

#include "main/MenuItems.h"
#include "main/Timer.h"
#include "platform/Clipboard.h"
#include "view/VwImage.h"

// The main menu's commands that change how and how often the picture is shown, or copy it.
class DisplayCommands {
 public:
  DisplayCommands(TTimer& timer, TCustomImageView& view, TMainMenuItems& items, Clipboard& clipboard)
      : timer_(timer), view_(view), items_(items), clipboard_(clipboard) {}

  // Update frequency: the sender's Tag is the timer interval in milliseconds.
  void N1xpersecond1Click(TMenuItem& Sender);
  void setFreqChecked();
  void CopyImagetoClipboard1Click();

 private:
  TTimer& timer_;
  TCustomImageView& view_;
  TMainMenuItems& items_;
  Clipboard& clipboard_;
};
