#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "base/Geometry.h"
#include "main/CommandPoint.h"
#include "main/OptionOwner.h"
#include "main/StatusPanel.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "view/VwImage.h"

// What the position label shows while the magnifier is switched off.
inline constexpr const char* kSwitchedOffText = "Off - press Space";

// "Position: -10, 50".
std::string PositionText(int64_t x, int64_t y);

// The colour swatch and the position label, their display choices and their copies.
class StatusReadouts : public OptionOwner {
 public:
  StatusReadouts(TCustomImageView& view, StatusPanel& panel, const CommandPoint& commandPoint, Clipboard& clipboard,
                 Messages& messages, std::function<void()> writeSettings)
      : view_(view),
        panel_(panel),
        commandPoint_(commandPoint),
        clipboard_(clipboard),
        messages_(messages),
        writeSettings_(std::move(writeSettings)) {}

  // The origin of the position readout; (0, 0) is the desktop's own.
  int virtx = 0;
  int virty = 0;

  void UpdateStatusReadouts(Point C);
  void RGBValues1Click();
  void HTMLCode1Click();
  void CopyColortoClipboard1Click();
  void mnuCopyCoord1Click();
  void SetVirtualOrigin1Click();
  // Switched off, the picture stands still: the position label says so until the next tick.
  void SwitchedOff();

  bool ShowsRgbValues() const { return rgbValues_; }

  void AddSettings(SettingsLists& lists) override;
  void FormShow(SettingsStore&) override {}

 private:
  TCustomImageView& view_;
  StatusPanel& panel_;
  const CommandPoint& commandPoint_;
  Clipboard& clipboard_;
  Messages& messages_;
  std::function<void()> writeSettings_;
  // The colour as "RGB : r,g,b"; otherwise as HTML code.
  bool rgbValues_ = true;
};
