#pragma once

#include <optional>
#include <string>

#include "base/Geometry.h"
#include "view/VisionSimulation.h"

// WCAG 2.x relative luminance of a 0x00BBGGRR colour, 0 (black) to 1 (white).
double RelativeLuminance(ColorRef color);
// (lighter + 0.05) / (darker + 0.05): 1 to 21.
double ContrastRatio(ColorRef a, ColorRef b);
// "4.54:1": cut, not rounded, to two decimals, so that a ratio shown as passing always passes.
std::string RatioText(double ratio);

// What WCAG 2.x asks of a ratio.
struct ContrastVerdict {
  bool aaNormal, aaLarge, aaaNormal, aaaLarge, nonText;
};
ContrastVerdict JudgeContrast(double ratio);

// The two picked colors, either possibly not picked yet.
struct ContrastPair {
  std::optional<ColorRef> foreground;
  std::optional<ColorRef> background;
  bool Complete() const { return foreground.has_value() && background.has_value(); }
};

// The readout's lines, "\n" between them: the simulation when one is on, the colors, and once
// both are picked the ratio, its verdicts and, under a simulation, the ratio as simulated.
std::string ContrastReadoutText(const ContrastPair& pair, SimulatedVision simulation);
// One line for the clipboard; empty while a colour is missing.
std::string ContrastSummary(const ContrastPair& pair, SimulatedVision simulation);
