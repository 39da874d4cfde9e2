#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Geometry.h"
#include "view/FilteredPiece.h"
#include "view/ViewOptions.h"

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
