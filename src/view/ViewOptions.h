#pragma once

#include <cstdint>

// The view's picture options as plain values: what the main window's commands choose and store
// and the view paints with, without the pipeline that paints them.

// Menu tags and the stored setting use the ordinal.
enum TColorFilterMode : uint8_t {
  cfNone,
  cfGrayscale,
  cfSepia,
  cfInvert,
  cfProtanopia,
  cfDeuteranopia,
  cfTritanopia,
  cfDaltonizeProtanopia,
  cfDaltonizeDeuteranopia,
  cfDaltonizeTritanopia,
};

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
