#include "main/Contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "main/StatusReadouts.h"

namespace {

// A ratio computed as 4.4999999 for an exact 4.5 still passes.
constexpr double kSlack = 1e-9;

double ChannelLuminance(unsigned v) {
  // WCAG's own threshold (0.03928) rather than the standard's 0.04045: no 8-bit value lies between.
  const double c = v / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

const char* PassFail(bool pass) { return pass ? "pass" : "fail"; }

std::string Verdicts(const ContrastVerdict& v) {
  return std::string("AA normal ") + PassFail(v.aaNormal) + ", AA large " + PassFail(v.aaLarge) + ", AAA normal " +
         PassFail(v.aaaNormal) + ", AAA large " + PassFail(v.aaaLarge) + ", non-text " + PassFail(v.nonText);
}

std::string Colors(const ContrastPair& pair) {
  std::string text;
  if (pair.foreground) text = "Foreground " + ColorToHtml(*pair.foreground);
  if (pair.background) {
    if (!text.empty())
      text += ", background ";
    else
      text = "Background ";
    text += ColorToHtml(*pair.background);
  }
  return text;
}

double SimulatedRatio(const ContrastPair& pair, SimulatedVision simulation) {
  return ContrastRatio(SimulateColor(*pair.foreground, simulation), SimulateColor(*pair.background, simulation));
}

}  // namespace

double RelativeLuminance(ColorRef color) {
  return 0.2126 * ChannelLuminance(color & 0xFF) + 0.7152 * ChannelLuminance(color >> 8 & 0xFF) +
         0.0722 * ChannelLuminance(color >> 16 & 0xFF);
}

double ContrastRatio(ColorRef a, ColorRef b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string RatioText(double ratio) {
  const auto hundredths = static_cast<long long>(std::floor(ratio * 100 + kSlack));
  char text[32];
  std::snprintf(text, sizeof(text), "%lld.%02lld:1", hundredths / 100, hundredths % 100);
  return text;
}

ContrastVerdict JudgeContrast(double ratio) {
  const double r = ratio + kSlack;
  return {r >= 4.5, r >= 3, r >= 7, r >= 4.5, r >= 3};
}

std::string ContrastReadoutText(const ContrastPair& pair, SimulatedVision simulation) {
  std::string text;
  if (simulation.On()) text = "Simulating " + VisionSimulationName(simulation) + "\n";
  if (!pair.foreground && !pair.background) return text;
  text += Colors(pair) + "\n";
  if (!pair.Complete()) {
    text += pair.foreground ? "Pick Background Color (Ctrl+Alt+B) for the contrast"
                            : "Pick Foreground Color (Ctrl+Alt+K) for the contrast";
    return text;
  }
  const double ratio = ContrastRatio(*pair.foreground, *pair.background);
  const ContrastVerdict v = JudgeContrast(ratio);
  text += "Contrast " + RatioText(ratio) + "\n";
  text += std::string("AA: normal text ") + PassFail(v.aaNormal) + ", large text " + PassFail(v.aaLarge) + "\n";
  text += std::string("AAA: normal text ") + PassFail(v.aaaNormal) + ", large text " + PassFail(v.aaaLarge) + "\n";
  text += std::string("Non-text (3:1): ") + PassFail(v.nonText);
  if (simulation.On()) {
    const double simulated = SimulatedRatio(pair, simulation);
    text += "\nAs simulated: " + RatioText(simulated) + ", " + Verdicts(JudgeContrast(simulated));
  }
  return text;
}

std::string ContrastSummary(const ContrastPair& pair, SimulatedVision simulation) {
  if (!pair.Complete()) return {};
  const double ratio = ContrastRatio(*pair.foreground, *pair.background);
  std::string line = Colors(pair) + ": contrast " + RatioText(ratio) + ", " + Verdicts(JudgeContrast(ratio));
  if (simulation.On()) {
    const double simulated = SimulatedRatio(pair, simulation);
    line += "; as simulated (" + VisionSimulationName(simulation) + ") " + RatioText(simulated) + ", " +
            Verdicts(JudgeContrast(simulated));
  }
  return line;
}
