#include "main/ColorCheck.h"

#include <algorithm>
#include <array>

#include "main/CommandPoint.h"
#include "main/DisplayCommands.h"
#include "main/Notices.h"
#include "main/SettingsReading.h"
#include "platform/Clipboard.h"
#include "platform/Messages.h"
#include "platform/Screen.h"
#include "platform/SettingsStore.h"
#include "view/ColorSample.h"
#include "view/VisionSimulation.h"

namespace {

// The stored values of these choices, beside the window's own.
constexpr const char* kSimulationValue = "VisionSimulation";
constexpr const char* kSeverityValue = "VisionSeverity";
constexpr const char* kSampleSizeValue = "SampleSize";

constexpr int kDeficiencies = 4;

}  // namespace

void ColorCheck::SimulationClick(int deficiency) {
  const int number = std::clamp(deficiency, 0, kDeficiencies - 1);
  if (number != 0 && view_.ColorFilterMode() != cfNone) {
    // As the colour filter's own "None" would: the filter's stored value follows at once.
    view_.SetColorFilterMode(cfNone);
    writeSettings_();
  }
  SetSimulation({static_cast<VisionDeficiency>(number), severity_});
  Write();
}

void ColorCheck::SeverityClick(int percent) {
  severity_ = ValidSeverity(percent);
  SimulatedVision simulation = Simulation();
  simulation.severity = severity_;
  SetSimulation(simulation);
  Write();
}

void ColorCheck::SampleSizeClick(int side) {
  view_.SetSampleSize(side);
  Write();
}

void ColorCheck::FilterChosen(int filter) {
  if (filter == cfNone || !Simulation().On()) return;
  SetSimulation({VisionDeficiency::None, severity_});
  Write();
}

void ColorCheck::SetSimulation(SimulatedVision simulation) {
  dismissed_ = false;
  view_.SetVisionSimulation(simulation);
  Changed();
}

void ColorCheck::Write() {
  const bool written = settings_.WriteInteger(kSimulationValue, static_cast<int32_t>(Simulation().deficiency)) &&
                       settings_.WriteInteger(kSeverityValue, severity_) &&
                       settings_.WriteInteger(kSampleSizeValue, view_.SampleSize());
  if (!written) messages_.ShowMessage("Unable to create key '" + settings_.KeyPath() + "'");
}

void ColorCheck::FormShow(SettingsStore& store) {
  const int32_t number = ReadInteger(store, kSimulationValue, 0);
  const bool known = number >= 0 && number < kDeficiencies;
  severity_ = ValidSeverity(ReadInteger(store, kSeverityValue, kMaxSeverity));
  // The colour filter's own stored value keeps its rules: when it names a filter, that wins.
  const bool filterOn = view_.ColorFilterMode() != cfNone;
  const auto deficiency = known && !filterOn ? static_cast<VisionDeficiency>(number) : VisionDeficiency::None;
  const int32_t side = ReadInteger(store, kSampleSizeValue, 1);
  view_.SetSampleSize(side);
  SetSimulation({deficiency, severity_});
}

void ColorCheck::Pick(std::optional<ColorRef>& into) {
  const std::optional<ColorRef> color = commandPoint_.Color();
  if (!color) return;
  into = color;
  dismissed_ = false;
  Changed();
}

std::optional<ColorRef> ColorCheck::SampleAt(Point pointer) {
  const int size = view_.SampleSize();
  const int half = size / 2;
  const Rect desktop = screen_.VirtualScreen();
  const Rect box{std::max(pointer.x - half, desktop.left), std::max(pointer.y - half, desktop.top),
                 std::min(pointer.x + half + 1, desktop.right), std::min(pointer.y + half + 1, desktop.bottom)};
  if (box.left >= box.right || box.top >= box.bottom) return std::nullopt;
  sample_.SetSize(box.Width(), box.Height());
  if (!screen_.CaptureDesktop(box, sample_, {0, 0})) return std::nullopt;
  return AverageColor(sample_, {pointer.x - box.left, pointer.y - box.top}, size);
}

void ColorCheck::PickForegroundColorClick() { Pick(picks_.foreground); }

void ColorCheck::PickBackgroundColorClick() { Pick(picks_.background); }

void ColorCheck::CopyContrastClick() {
  const std::string summary = ContrastSummary(picks_, Simulation());
  if (summary.empty()) {
    messages_.ShowMessage("Pick a foreground and a background color first.");
  } else if (clipboard_.SetText(summary)) {
    messages_.ShowMessage("copied");
  } else {
    messages_.ShowMessage(kClipboardBusyText);
  }
}

void ColorCheck::ReadoutClosed() {
  picks_ = {};
  dismissed_ = true;
  Changed();
}

std::string ColorCheck::CaptionSuffix() const {
  const std::string name = VisionSimulationName(Simulation());
  return name.empty() ? std::string() : " - " + name;
}

void ColorCheck::Changed() {
  readout.Text = ContrastReadoutText(picks_, Simulation());
  readout.Visible = !readout.Text.empty() && !dismissed_;
  if (OnChanged) OnChanged();
}
