#include "main/DisplayCommands.h"

#include <algorithm>
#include <cstdint>

void DisplayCommands::N1xpersecond1Click(TMenuItem& Sender) {
  const bool wasEnabled = timer_.Enabled();
  timer_.SetEnabled(false);
  // A negative tag stops the ticks rather than wrapping round to an interval of weeks.
  timer_.SetInterval(static_cast<uint32_t>(std::max(Sender.Tag, 0)));
  timer_.SetEnabled(wasEnabled);
  setFreqChecked();
}

void DisplayCommands::setFreqChecked() {
  for (TMenuItem* item : {&items_.N5xpersecond1, &items_.N10xpersecond1, &items_.N15xpersecond1, &items_.N30xpersecond1,
                          &items_.N60xpersecond1}) {
    item->Checked = static_cast<int64_t>(timer_.Interval()) == item->Tag;
  }
}

void DisplayCommands::CopyImagetoClipboard1Click() {
  clipboard_.Empty();
  view_.CopyToClipBoard();
}
