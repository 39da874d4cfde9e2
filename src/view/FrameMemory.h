#pragma once

#include <cstdint>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "platform/Screen.h"
#include "view/ColorFilter.h"
#include "view/VisionSimulation.h"

// Everything a paint is made of but the desktop's pixels.
struct FrameInputs {
  int width = 0;
  int height = 0;
  Rect area;     // the picture area inside the view
  Rect capture;  // the desktop rectangle the paint copies
  Point tracked;
  float zoom = 1;
  bool smooth = false;
  bool cross = false;
  bool drawGrid = false;
  bool fixedGrid = false;
  int gridlevel = 0;
  TColorFilterMode filter = cfNone;
  SimulatedVision vision;
  bool flipHorizontal = false;
  bool flipVertical = false;
  ColorRef borderColor = 0;
  bool sample = false;
  int sampleSize = 1;   // the crosshair outlines the sampled square
  bool cursor = false;  // the cursor is drawn: its image and hot spot follow
  uintptr_t cursorHandle = 0;
  Point hotSpot;
  friend bool operator==(const FrameInputs&, const FrameInputs&) = default;
};

// Remembers what the frame on screen was made of, so that a frame made of the same is not made
// and shown again: on a still desktop a frame costs one capture and one comparison.
class FrameMemory {
 public:
  explicit FrameMemory(SurfaceFactory& surfaces) : capture_(surfaces), probe_(surfaces) {}

  // Whether a frame made now from `inputs` would be the one on screen. Captures the desktop
  // only when every input is the same; a capture that differs is kept for the frame to come.
  bool StillShown(const FrameInputs& inputs, Screen& screen);
  // The paint's capture of `source` into `target` at `at`: the kept one while it is fresh,
  // else a new one from the screen.
  bool Capture(Screen& screen, const Rect& source, Bitmap& target, Point at);
  // The frame made from `inputs` is now on screen.
  void Shown(const FrameInputs& inputs);

 private:
  FrameInputs shown_;
  bool shownKnown_ = false;
  Bitmap capture_;  // the desktop pixels of the frame on screen, or of the frame to come
  bool captureKnown_ = false;
  bool fresh_ = false;  // `capture_` waits for the frame to come
  Bitmap probe_;
};
