#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "main/Contrast.h"
#include "main/OptionOwner.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "view/ViewOptions.h"
#include "view/VwImage.h"

class Clipboard;
class CommandPoint;
class DisplayCommands;
class Messages;
class Screen;
class SettingsStore;

// What the small colour-check readout beside the window shows.
struct ColorReadout {
  bool Visible = false;
  std::string Text;
};

// The choices beyond the colour filters: the simulation of a colour-vision deficiency at a
// severity, the averaged sample, and the contrast of two picked colors. Each is off until
// chosen and keeps values of its own in the store, written only by its own commands, so a
// user who never chooses one stores exactly what the program always stored.
class ColorCheck : public OptionOwner {
 public:
  ColorCheck(TCustomImageView& view, Screen& screen, const CommandPoint& commandPoint, Clipboard& clipboard,
             Messages& messages, SettingsStore& settings, std::function<void()> writeSettings,
             SurfaceFactory& surfaces = HeapSurfaces())
      : view_(view),
        screen_(screen),
        commandPoint_(commandPoint),
        clipboard_(clipboard),
        messages_(messages),
        settings_(settings),
        writeSettings_(std::move(writeSettings)),
        sample_(surfaces) {}

  // The deficiency's number; any but none switches the colour filter off.
  void SimulationClick(int deficiency);
  void SeverityClick(int percent);
  // The side of the sampled square.
  void SampleSizeClick(int side);
  void PickForegroundColorClick();
  void PickBackgroundColorClick();
  void CopyContrastClick();
  // The desktop's own pixels around `pointer`, unfiltered, averaged as the colour readout is.
  std::optional<ColorRef> SampleAt(Point pointer);
  // The user closed the readout: the picks are forgotten.
  void ReadoutClosed();
  // A colour filter other than none was chosen: the simulation goes off.
  void FilterChosen(int filter);
  // As the window is shown: the stored choices, unless a colour filter is on.
  void FormShow(SettingsStore& store) override;
  // Its values are its own, written by its own commands only.
  void AddSettings(SettingsLists&) override {}

  SimulatedVision Simulation() const { return view_.VisionSimulation(); }
  const ContrastPair& Picks() const { return picks_; }
  int Severity() const { return severity_; }
  int SampleSize() const { return view_.SampleSize(); }
  // What the caption adds to the program's name and version while a simulation is on:
  // " - Protanopia"; nothing otherwise.
  std::string CaptionSuffix() const;
  ColorReadout readout;
  // The readout or the caption changed.
  std::function<void()> OnChanged;

 private:
  void Pick(std::optional<ColorRef>& into);
  void SetSimulation(SimulatedVision simulation);
  void Write();
  void Changed();

  TCustomImageView& view_;
  Screen& screen_;
  const CommandPoint& commandPoint_;
  Clipboard& clipboard_;
  Messages& messages_;
  SettingsStore& settings_;
  std::function<void()> writeSettings_;
  ContrastPair picks_;
  // The desktop under the pointer as a pick captures it, in memory the screen can copy into.
  Bitmap sample_;
  // The severity chosen, kept while no Machado model is on.
  int severity_ = kMaxSeverity;
  // Closed by the user; shown again by the next pick or simulation.
  bool dismissed_ = false;
};
