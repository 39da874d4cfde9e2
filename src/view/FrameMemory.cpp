#include "view/FrameMemory.h"

#include <algorithm>
#include <cstring>

namespace {

bool SamePixels(const Bitmap& a, const Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::memcmp(a.Pixels(), b.Pixels(), a.PixelCount() * sizeof(uint32_t)) == 0;
}

}  // namespace

bool FrameMemory::StillShown(const FrameInputs& inputs, Screen& screen) {
  if (!shownKnown_ || !(inputs == shown_)) return false;
  if (fresh_) {
    // A frame is on its way and has not come yet (the window is hidden, say): by the time it
    // comes the kept capture may be old, so it takes its own.
    fresh_ = false;
    captureKnown_ = false;
    return false;
  }
  const Rect& source = inputs.capture;
  probe_.SetSize(source.Width(), source.Height());
  if (probe_.Empty() || !screen.CaptureDesktop(source, probe_, {0, 0})) return false;
  if (captureKnown_ && SamePixels(probe_, capture_)) return true;
  capture_.Swap(probe_);
  captureKnown_ = true;
  fresh_ = true;
  return false;
}

bool FrameMemory::Capture(Screen& screen, const Rect& source, Bitmap& target, Point at) {
  const bool fresh = fresh_ && captureKnown_ && shownKnown_ && source == shown_.capture;
  fresh_ = false;
  if (!fresh) {
    captureKnown_ = false;
    return screen.CaptureDesktop(source, target, at);
  }
  // Clipped to the target, as a capture is.
  const int left = std::max(at.x, 0);
  const int right = std::min(at.x + capture_.Width(), target.Width());
  const int top = std::max(at.y, 0);
  const int bottom = std::min(at.y + capture_.Height(), target.Height());
  if (left >= right) return true;
  for (int y = top; y < bottom; ++y) {
    const uint32_t* from = capture_.Row(y - at.y) + (left - at.x);
    std::copy(from, from + (right - left), target.Row(y) + left);
  }
  return true;
}

void FrameMemory::Shown(const FrameInputs& inputs) {
  shown_ = inputs;
  shownKnown_ = true;
}
