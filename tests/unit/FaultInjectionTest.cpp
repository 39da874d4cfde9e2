// Faults a resident magnifier meets in the field, injected through the fakes: the desktop that
// cannot be read (a locked session, the secure desktop) and displays that change under it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/CountingSurfaces.h"
#include "fake/FakePlatform.h"
#include "main/MainMenu.h"
#include "main/fmMagnifier.h"

namespace {

constexpr WindowId kMainWindow = 100;
constexpr WindowId kViewWindow = 101;
const uint32_t kGreyPixel = PixelFromColor(kViewGrey);

struct Running {
  FakePlatform platform;
  CountingSurfaces surfaces;
  Tfrmmain form{platform, surfaces};

  explicit Running(int viewWidth = 400, int viewHeight = 300) {
    form.AttachWindow(kMainWindow);
    form.FormCreate();
    form.RestoreFormState();
    form.FormShow();
    form.imageview1().AttachWindow(kViewWindow);
    form.imageview1().WMSize(viewWidth, viewHeight);
    platform.windows.windowRects[kMainWindow] = {700, 400, 1168, 711};
  }
  void Choose(const char* name) {
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), name))) << name;
  }
  // One tick and the paint it asks for; a copy of what the window shows.
  std::vector<uint32_t> Frame(Point pointer) {
    platform.screen.pointer = pointer;
    form.Timer1Timer();
    const Bitmap* shown = form.imageview1().Paint();
    if (shown == nullptr) return {};
    return {shown->Pixels(), shown->Pixels() + shown->PixelCount()};
  }
};

bool AllGrey(const std::vector<uint32_t>& picture) {
  for (const uint32_t p : picture)
    if ((p & 0xFFFFFFu) != kGreyPixel) return false;
  return !picture.empty();
}

TEST(CaptureFault, FailedFramesShowGreyAndTheNextGoodOneIsWholeAgainWithNothingLeaked) {
  for (const char* zoom : {"Magnify1X1", "Magnify2X1", "Magnify025X1"}) {
    SCOPED_TRACE(zoom);
    Running run;
    run.Choose(zoom);
    const Point pointer{640, 360};
    const std::vector<uint32_t> good = run.Frame(pointer);
    ASSERT_FALSE(AllGrey(good));
    const int color = run.form.imageview1().ScreenColor();
    // A tick shows the colour the paint before it sampled.
    run.Frame(pointer);
    const std::string readout = run.form.panel.pnlColor.Caption;
    int surfacesAfterFirstFault = 0;
    for (int round = 0; round < 3; ++round) {
      run.platform.screen.captureWorks = false;
      for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(AllGrey(run.Frame(pointer))) << "round " << round << ", frame " << i;
        EXPECT_EQ(run.form.imageview1().ScreenColor(), color) << "a grey frame samples nothing";
      }
      EXPECT_EQ(run.form.panel.pnlColor.Caption, readout);
      run.platform.screen.captureWorks = true;
      EXPECT_EQ(run.Frame(pointer), good) << "round " << round << ": the first good frame is whole";
      if (round == 0) surfacesAfterFirstFault = run.surfaces.live;
      EXPECT_EQ(run.surfaces.live, surfacesAfterFirstFault) << "round " << round;
    }
  }
}

TEST(SurfaceFault, WithoutMemoryForItsBitmapsTheViewDrawsNothingAndRecoversOnceThereIsSome) {
  for (const char* zoom : {"Magnify1X1", "Magnify2X1"}) {
    SCOPED_TRACE(zoom);
    Running run;
    run.Choose(zoom);
    const std::vector<uint32_t> good = run.Frame({640, 360});
    // A new size needs new bitmaps, which cannot be had.
    run.surfaces.refuse = true;
    run.form.imageview1().WMSize(500, 400);
    for (int i = 0; i < 3; ++i) {
      const Bitmap* shown = (run.Frame({640, 360}), run.form.imageview1().Paint());
      if (shown != nullptr) {
        EXPECT_EQ(shown->PixelCount(), 0u) << "a picture without pixels";
      }
    }
    run.platform.clipboard.bitmap.reset();
    run.Choose("CopyImagetoClipboard1");
    EXPECT_EQ(run.platform.clipboard.bitmap, nullptr);
    EXPECT_TRUE(run.platform.messages.shown.empty()) << "nothing to copy is nothing to tell";
    run.surfaces.refuse = false;
    run.form.imageview1().WMSize(400, 300);
    EXPECT_EQ(run.Frame({640, 360}), good);
  }
}

TEST(DisplayChange, PicturesFollowANewResolutionAndANewViewSize) {
  Running run(800, 600);
  run.platform.screen.PaintDesktop([](int, int) { return 0x00FF0000u; });
  run.Choose("Magnify025X1");
  const auto shownAt = [&](int x, int y) { return run.form.imageview1().Paint()->At(x, y) & 0xFFFFFFu; };
  // At a quarter, an 800x600 view shows the whole 1920x1080 desktop in its top-left 480x270.
  run.Frame({960, 540});
  EXPECT_EQ(shownAt(479, 269), 0xFF0000u);
  EXPECT_EQ(shownAt(480, 269), kGreyPixel);

  // The resolution drops to 1280x720: the capture shrinks with the desktop, the tick keeps to it.
  run.platform.screen.virtualScreen = {0, 0, 1280, 720};
  run.platform.screen.PaintDesktop([](int, int) { return 0x00FF0000u; });
  run.platform.monitors.list = {{1, {0, 0, 1280, 720}}};
  run.form.DisplayChanged();
  run.Frame({1900, 1000});
  EXPECT_EQ(run.form.imageview1().ScreenLeft(), 0);
  EXPECT_EQ(run.form.imageview1().ScreenTop(), 0);
  EXPECT_EQ(shownAt(319, 179), 0xFF0000u);
  EXPECT_EQ(shownAt(320, 179), kGreyPixel);
  EXPECT_EQ(shownAt(319, 180), kGreyPixel);

  // A DPI change sizes the window, and with it the view: the picture has the new size.
  run.form.imageview1().WMSize(1000, 750);
  run.Choose("Magnify2X1");
  run.Frame({640, 360});
  const Bitmap* shown = run.form.imageview1().Paint();
  EXPECT_EQ(shown->Width(), 1000);
  EXPECT_EQ(shown->Height(), 750);
}

TEST(DisplayChange, AWindowLeftOffEveryMonitorComesBackOntoTheNearest) {
  const Rect primary{0, 0, 1920, 1080};
  const struct {
    const char* what;
    Rect window;
    std::vector<Rect> monitors;
    Rect expected;  // where it is afterwards
  } cases[] = {
      {"on the monitor: stays", {700, 400, 1168, 711}, {primary}, {700, 400, 1168, 711}},
      {"half off, centre on: stays", {1500, 900, 1968, 1211}, {primary}, {1500, 900, 1968, 1211}},
      {"resolution dropped under it", {1500, 900, 1968, 1211}, {{0, 0, 1280, 720}}, {812, 409, 1280, 720}},
      {"left monitor unplugged", {-1500, 100, -1032, 411}, {primary}, {0, 100, 468, 411}},
      {"to the monitor it is nearest", {3000, 100, 3468, 411}, {{-1920, 0, 0, 1080}, primary}, {1452, 100, 1920, 411}},
      {"larger than the monitor", {3000, -50, 4000, 900}, {{0, 0, 800, 600}}, {0, 0, 1000, 950}},
      {"thrown to the far end", {2000000000, 2000000000, 2000000468, 2000000311}, {primary}, {1452, 769, 1920, 1080}},
  };
  for (const auto& c : cases) {
    Running run;
    run.platform.windows.windowRects[kMainWindow] = c.window;
    run.platform.monitors.list.clear();
    for (const Rect& m : c.monitors) run.platform.monitors.list.push_back({run.platform.monitors.list.size() + 1, m});
    run.form.DisplayChanged();
    const auto moved = run.platform.frame.bounds.find(kMainWindow);
    const Rect now = moved != run.platform.frame.bounds.end() ? moved->second : c.window;
    EXPECT_EQ(now, c.expected) << c.what;
  }
}

TEST(DisplayChange, AWindowInTheTrayKeepsItsPlaceUntilItComesBack) {
  Running run;
  run.platform.windows.windowRects[kMainWindow] = {-32000, -32000, -31840, -31969};
  run.form.HideApplication();
  run.form.DisplayChanged();
  EXPECT_TRUE(run.platform.frame.bounds.empty());
}

}  // namespace
