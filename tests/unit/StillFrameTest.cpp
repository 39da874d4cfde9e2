#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "fake/FakePlatform.h"
#include "view/VwImage.h"

namespace {

constexpr WindowId kView = 7;

// The view in its window: the tick asks for a frame, and the window paints and shows one only
// when a repaint was asked for, as the platform does.
struct Host {
  FakePlatform platform;
  TImageView view{platform.screen, platform.windows, platform.clipboard};
  int presents = 0;
  std::vector<uint32_t> onScreen;

  explicit Host(float zoom) {
    view.AttachWindow(kView);
    view.WMSize(61, 41);
    view.SetZoom(zoom);
    view.SetScreenLeft(100);
    view.SetScreenTop(50);
    view.SetLeftOffset(9);
    view.SetTopOffset(7);
    view.SetShowCursor(true);
    view.SetDrawCross(true);
    view.SetGridlevel(3);
    view.SetColorFilterMode(cfSepia);
    view.SetFlipHorizontal(true);
    view.SetBorderColor(clSilver);
    if (zoom == 1) view.SetBorderWidth(2);
    Deliver();
  }
  int Asked() { return platform.windows.invalidations[kView]; }
  // The platform's paint, when one is due.
  void Deliver() {
    if (Asked() == delivered_) return;
    delivered_ = Asked();
    const Bitmap& shown = *view.Paint();
    onScreen.assign(shown.Pixels(), shown.Pixels() + shown.PixelCount());
    ++presents;
  }
  // What the tracking tick does with the view once it has placed it.
  void Tick() {
    view.BeginUpdate();
    view.EndUpdate(true);
    Deliver();
  }
  void SetDesktopPixel(int x, int y, uint32_t pixel) { platform.screen.pixels.At(x, y) = pixel; }

 private:
  int delivered_ = -1;
};

// The same view made afresh over the same desktop: what a full repaint shows.
std::vector<uint32_t> FullRepaint(Host& h) {
  TImageView fresh(h.platform.screen, h.platform.windows, h.platform.clipboard);
  fresh.WMSize(h.view.Width(), h.view.Height());
  fresh.SetZoom(h.view.Zoom());
  fresh.SetScreenLeft(h.view.ScreenLeft());
  fresh.SetScreenTop(h.view.ScreenTop());
  fresh.SetLeftOffset(h.view.LeftOffset());
  fresh.SetTopOffset(h.view.TopOffset());
  fresh.SetShowCursor(h.view.ShowCursor());
  fresh.SetDrawCross(h.view.DrawCross());
  fresh.SetGridlevel(h.view.Gridlevel());
  fresh.SetColorFilterMode(h.view.ColorFilterMode());
  fresh.SetFlipHorizontal(h.view.FlipHorizontal());
  fresh.SetBorderColor(h.view.BorderColor());
  fresh.SetBorderWidth(h.view.BorderWidth());
  fresh.SetSmoothen(h.view.Smoothen());
  fresh.SetDrawGrid(h.view.DrawGrid());
  fresh.SetFixedGrid(h.view.FixedGrid());
  fresh.SetFlipVertical(h.view.FlipVertical());
  fresh.SetVisionSimulation(h.view.VisionSimulation());
  fresh.SetGetcolor(h.view.Getcolor());
  fresh.SetSampleSize(h.view.SampleSize());
  const Bitmap& shown = *fresh.Paint();
  return {shown.Pixels(), shown.Pixels() + shown.PixelCount()};
}

TEST(ImageViewStillFrames, AStillDesktopCostsOneCaptureAFrameAndIsNeitherPaintedNorShownAgain) {
  for (const float zoom : {2.0f, 1.0f}) {
    Host h(zoom);
    // The paint filters its capture in place, so the first still tick has nothing unfiltered to
    // compare with: it keeps its capture and shows one more frame, made from it.
    const int firstCaptures = h.platform.screen.captures;
    h.Tick();
    EXPECT_EQ(h.platform.screen.captures, firstCaptures + 1) << "zoom " << zoom;
    ASSERT_EQ(h.presents, 2);
    for (int i = 0; i < 3; ++i) {
      const int captures = h.platform.screen.captures;
      h.Tick();
      EXPECT_EQ(h.platform.screen.captures, captures + 1) << "zoom " << zoom;
    }
    EXPECT_EQ(h.presents, 2) << "zoom " << zoom;
    EXPECT_EQ(h.onScreen, FullRepaint(h)) << "zoom " << zoom;
  }
}

TEST(ImageViewStillFrames, AChangedDesktopPixelIsPaintedFromTheCaptureThatFoundIt) {
  for (const float zoom : {2.0f, 1.0f}) {
    Host h(zoom);
    h.Tick();
    // The last pixel of the capture: a comparison that stops short misses it.
    const int right = zoom == 1 ? 100 + 57 - 1 : 100 + 31 - 1;
    const int bottom = zoom == 1 ? 50 + 37 - 1 : 50 + 21 - 1;
    h.SetDesktopPixel(right, bottom, 0x00ABCDEF);
    const int captures = h.platform.screen.captures;
    h.Tick();
    EXPECT_EQ(h.presents, 3) << "zoom " << zoom;
    EXPECT_EQ(h.platform.screen.captures, captures + 1) << "the paint takes the tick's capture, zoom " << zoom;
    EXPECT_EQ(h.onScreen, FullRepaint(h)) << "zoom " << zoom;
    h.Tick();
    EXPECT_EQ(h.presents, 3) << "and then it is still again, zoom " << zoom;
    // Outside the capture nothing is looked at.
    h.SetDesktopPixel(right + 1, bottom + 1, 0x00ABCDEF);
    h.Tick();
    EXPECT_EQ(h.presents, 3) << "zoom " << zoom;
  }
}

TEST(ImageViewStillFrames, EveryInputOfThePaintMakesANewFrame) {
  const std::function<void(Host&)> changes[] = {
      [](Host& h) { h.view.SetZoom(h.view.Zoom() == 1 ? 2 : 1); },
      [](Host& h) { h.view.SetSmoothen(true); },
      [](Host& h) { h.view.SetColorFilterMode(cfInvert); },
      [](Host& h) {
        h.view.SetVisionSimulation({VisionDeficiency::Deutan, 60});
      },
      [](Host& h) { h.view.SetSampleSize(5); },
      [](Host& h) { h.view.SetFlipHorizontal(false); },
      [](Host& h) { h.view.SetFlipVertical(true); },
      [](Host& h) { h.view.SetShowCursor(false); },
      [](Host& h) { h.view.SetDrawCross(false); },
      [](Host& h) { h.view.SetDrawGrid(true); },
      [](Host& h) { h.view.SetFixedGrid(true); },
      [](Host& h) { h.view.SetGridlevel(5); },
      [](Host& h) { h.view.SetGetcolor(true); },
      [](Host& h) { h.view.SetBorderColor(0x008000); },
      [](Host& h) { h.view.SetBorderWidth(1); },
      [](Host& h) { h.view.SetScreenLeft(101); },
      [](Host& h) { h.view.SetTopOffset(8); },
      [](Host& h) { h.view.WMSize(62, 41); },
      [](Host& h) { h.platform.screen.cursor.handle = 43; },
      [](Host& h) {
        h.platform.screen.cursor.hotSpot = {1, 0};
      },
      [](Host& h) { h.platform.screen.virtualScreen.right = 20; },
  };
  for (const float zoom : {2.0f, 1.0f}) {
    int index = 0;
    for (const auto& change : changes) {
      Host h(zoom);
      h.Tick();
      h.Tick();
      ASSERT_EQ(h.presents, 2);
      change(h);
      h.Tick();
      EXPECT_EQ(h.presents, 3) << "change #" << index << " zoom " << zoom;
      EXPECT_EQ(h.onScreen, FullRepaint(h)) << index;
      ++index;
    }
  }
}

// A capture that waited for a paint that did not come (the window was hidden) is not shown
// later in place of the desktop of that moment.
TEST(ImageViewStillFrames, APaintThatComesLateShowsTheDesktopOfItsOwnTime) {
  Host h(2);
  h.Tick();
  h.SetDesktopPixel(100, 50, 0x00111111);
  h.view.RefreshPicture();  // a tick whose paint is not delivered
  h.SetDesktopPixel(100, 50, 0x00222222);
  h.Tick();
  EXPECT_EQ(h.presents, 3);
  EXPECT_EQ(h.onScreen, FullRepaint(h));
  h.Tick();
  h.Tick();
  EXPECT_EQ(h.onScreen, FullRepaint(h));
}

}  // namespace
