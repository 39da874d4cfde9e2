#pragma once

#include <cstdint>
#include <functional>

#include "main/Keys.h"
#include "main/OptionOwner.h"
#include "main/Timer.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "view/VwImage.h"

// The main menu's commands that change how and how often the picture is shown, or copy it.
// The options live in the view (its properties) and here (the choices the view does not keep).
class DisplayCommands : public OptionOwner {
 public:
  DisplayCommands(Timer& timer, TCustomImageView& view, Clipboard& clipboard, Messages& messages,
                  std::function<void()> writeSettings)
      : timer_(timer),
        view_(view),
        clipboard_(clipboard),
        messages_(messages),
        writeSettings_(std::move(writeSettings)) {}

  // The grid spacing in desktop pixels; 0 draws none.
  int pixlevel = 0;

  // What the menu's check marks show: the choices as made or restored, which the view takes
  // at each show of the window.
  int Interval() const { return static_cast<int>(timer_.Interval()); }
  int ColorFilterIndex() const { return view_.ColorFilterMode(); }
  int Spacing() const { return pixlevel; }
  bool Smoothen() const { return smoothen_; }
  bool FlipHorizontal() const { return flipHorizontal_; }
  bool FlipVertical() const { return flipVertical_; }
  // The user's choice, which the caret search switches the view back to.
  bool CursorChosen() const { return showCursor_; }
  bool DrawCross() const { return drawCross_; }
  bool FixedGrid() const { return fixedGrid_; }
  // Kept and stored, though no command changes it.
  bool DrawGridMark() const { return drawGrid_; }
  bool SwitchedOn() const { return switchedOn_; }

  // Update frequency: the timer interval in milliseconds.
  void N1xpersecond1Click(int interval);
  void Smoothen1Click();
  // The filter's number.
  void ColorFilterClick(int filter);
  // Sets the filter without storing it (the simulation switches it off this way).
  void SetColorFilter(int filter);
  void FlipHorizontally1Click();
  void FlipVertically1Click();
  void Showcursor1Click();
  void DrawCrossHair1Click();
  // The grid spacing.
  void N1pixel1Click(int spacing);
  void DrawFixedGrid1Click();
  void CopyImagetoClipboard1Click();
  void Enabled1Click();
  // The magnifier was switched on or off ("Glimmerlux On/Off", Space).
  std::function<void()> OnSwitched;
  // A colour filter was chosen from the menu.
  std::function<void(int filter)> OnFilterChosen;
  // Every key the window sees before its controls; Space alone switches the magnifier.
  void FormKeyDown(uint16_t& Key, ShiftState Shift);

  void AddSettings(SettingsLists& lists) override;
  void FormShow(SettingsStore& store) override;

 private:
  // Toggles the choice and hands its new state to the view.
  void Toggle(bool& choice, void (TCustomImageView::*setter)(bool));

  Timer& timer_;
  TCustomImageView& view_;
  Clipboard& clipboard_;
  Messages& messages_;
  std::function<void()> writeSettings_;
  bool showCursor_ = true;
  bool drawCross_ = false;
  bool smoothen_ = false;
  bool drawGrid_ = false;
  bool fixedGrid_ = false;
  bool flipHorizontal_ = false;
  bool flipVertical_ = false;
  bool switchedOn_ = true;
};
