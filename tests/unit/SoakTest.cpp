// Days of running compressed into frames: the real form and view over the fake platform, with
// zoom, filter, flips, grid, smoothing, window sizes, copies and failed captures changing all
// the time. Every cycle of the schedule ends in the state it started from, so at each cycle's
// end the surfaces (GDI objects on Windows) and the heap must be exactly where the first cycle
// left them. `make test` runs five cycles; `make soak` sets GLIMMERLUX_SOAK_FRAMES=100000.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fake/FormFixture.h"
#include "unit/ProcessMemory.h"

namespace {

constexpr int kFramesPerStep = 10;

// One change, then kFramesPerStep frames. Every toggle appears twice and the last steps go
// back to the first state, so the cycle closes.
struct Step {
  const char* command = nullptr;  // a main-menu item, or none
  int width = 0;                  // a new view size when not 0
  int height = 0;
  bool captureFails = false;  // the desktop cannot be read during the step's frames
};
constexpr Step kCycle[] = {
    {"Magnify4X1"},
    {"CfSepia1"},
    {"FlipHorizontally1"},
    {"N10pixels1"},
    {nullptr, 640, 480},
    {"ShowHideProgram1"},  // to the tray, where the frames go on
    {"Smoothen1"},
    {"Magnify1X1"},
    {"FlipVertically1"},
    {"CfInvert1", 0, 0, true},
    {"DrawCrossHair1"},
    {"ShowPanel1"},
    {"MakeWindowTransparent1"},
    {nullptr, 160, 120},
    {"Magnify025X1"},
    {"Magnify05X1"},
    {"N1pixel1"},
    {"DrawFixedGrid1", 0, 0, true},
    {"Magnify3X1"},
    {"CfDaltonizeTritanopia1"},
    {nullptr, 1, 1},
    {"Magnify40x1"},
    {"CopyImagetoClipboard1", 400, 300},
    {"FlipHorizontally1"},
    {"FlipVertically1"},
    {"ShowHideProgram1"},
    {"ShowPanel1"},
    {"MakeWindowTransparent1"},
    {"Smoothen1"},
    {"DrawCrossHair1"},
    {"DrawFixedGrid1"},
    {"NoGrid1"},
    {"CfNone1"},
    {"Magnify2X1"},
};
constexpr int kCycleFrames = static_cast<int>(std::size(kCycle)) * kFramesPerStep;

int SoakFrames() {
  const char* frames = std::getenv("GLIMMERLUX_SOAK_FRAMES");
  const int asked = frames != nullptr ? std::atoi(frames) : 0;
  // A whole number of cycles, at least one to settle and four to watch.
  return std::max(asked / kCycleFrames, 5) * kCycleFrames;
}

struct Soak : FormFixture {
  Soak() {
    form.AttachWindow(kMainWindow);
    form.FormCreate();
    RestoreAndShow();
    AttachView();
    Choose("N60xpersecond1");
  }
  // The fakes log every call; those logs are the test's memory, not the program's.
  void ForgetRecords() {
    platform.windows.invalidatedAreas.clear();
    platform.windows.windowMoves.clear();
    platform.screen.cursorDraws.clear();
    platform.settings.written.clear();
    platform.frame.topmostCalls.clear();
    platform.frame.placementsSet.clear();
    platform.messages.shown.clear();
    platform.app.calls.clear();
  }
  void Frame(int n) {
    // Round and round the desktop, the same path every cycle.
    const double angle = 2 * M_PI * (n % kCycleFrames) / kCycleFrames;
    platform.screen.pointer = {960 + static_cast<int>(900 * std::cos(angle)),
                               540 + static_cast<int>(520 * std::sin(angle))};
    form.Timer1Timer();
    ASSERT_NE(form.imageview1().Paint(), nullptr);
    ForgetRecords();
  }
  void RunCycle(int& frame) {
    for (const Step& step : kCycle) {
      if (step.command != nullptr) Choose(step.command);
      if (step.width != 0) form.imageview1().WMSize(step.width, step.height);
      platform.screen.captureWorks = !step.captureFails;
      for (int i = 0; i < kFramesPerStep; ++i) Frame(frame++);
    }
  }
};

TEST(Soak, SurfacesAndHeapStayFlatOverEveryCycle) {
  const int frames = SoakFrames();
  Soak soak;
  int frame = 0;
  soak.RunCycle(frame);
  const int surfacesAfterFirst = soak.surfaces.live;
  const int peakAfterFirst = soak.surfaces.peak;
  const size_t heapAfterFirst = LiveHeapBytes();
  const size_t residentAfterFirst = ResidentBytes();
  const auto start = std::chrono::steady_clock::now();

  size_t heapMost = heapAfterFirst;
  while (frame < frames) {
    soak.RunCycle(frame);
    ASSERT_EQ(soak.surfaces.live, surfacesAfterFirst) << "after " << frame << " frames";
    const size_t heap = LiveHeapBytes();
    ASSERT_LE(heap, heapAfterFirst) << "heap grew by " << heap - heapAfterFirst << " bytes after " << frame
                                    << " frames";
    heapMost = std::max(heapMost, heap);
  }
  EXPECT_EQ(soak.surfaces.peak, peakAfterFirst);

  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "soak: %d frames (%d cycles of %d); surfaces live %d, peak %d, created %ld; heap in use %zu bytes after the "
      "first cycle, at most %zu since; resident %zu KiB after the first cycle, %zu KiB at the end; %.2f ms a frame\n",
      frames, frames / kCycleFrames, kCycleFrames, soak.surfaces.live, soak.surfaces.peak, soak.surfaces.created,
      heapAfterFirst, heapMost, residentAfterFirst / 1024, ResidentBytes() / 1024,
      1000 * seconds / (frames - kCycleFrames));
}

}  // namespace
