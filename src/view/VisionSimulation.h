#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Geometry.h"
#include "view/ColorFilter.h"

// Colour-vision deficiency simulated in linear light, apart from the colour filters: protan
// and deutan after Machado, Oliveira and Fernandes (2009) at a chosen severity, tritan after
// Brettel, Viénot and Mollon (1997). Stored by number: keep the order.
enum class VisionDeficiency : uint8_t { None, Protan, Deutan, Tritan };

inline constexpr int kMinSeverity = 10;
inline constexpr int kMaxSeverity = 100;
inline constexpr int kSeverityStep = 10;

struct SimulatedVision {
  VisionDeficiency deficiency = VisionDeficiency::None;
  // Percent, kMinSeverity..kMaxSeverity in steps of kSeverityStep; tritan is always full.
  int severity = kMaxSeverity;

  bool On() const { return deficiency != VisionDeficiency::None; }
  bool operator==(const SimulatedVision&) const = default;
};

// A severity as one of the offered steps: anything else gives full severity.
int ValidSeverity(int severity);

// "Protanopia", "Protanomaly 60 %", "Deuteranopia", "Deuteranomaly 30 %", "Tritanopia"; empty
// when off.
std::string VisionSimulationName(SimulatedVision simulation);

// Simulates every pixel of the run in place (bytes blue, green, red; the fourth byte is kept).
void ApplyVisionSimulation(uint32_t* pixels, size_t count, SimulatedVision simulation);
// The same, telling `piece` as pixels become final (as the colour filters' run does).
void ApplyVisionSimulation(uint32_t* pixels, size_t count, SimulatedVision simulation, FilteredPiece piece,
                           void* context);
// A 0x00BBGGRR colour as simulated.
ColorRef SimulateColor(ColorRef color, SimulatedVision simulation);
