#include <gtest/gtest.h>

#include <vector>

#include "fake/FakePlatform.h"
#include "view/ColorSample.h"
#include "view/VwImage.h"

namespace {

constexpr WindowId kView = 9;

// Red x * 10, green y * 10, blue 7 at desktop (x, y): averages are easy to work out by hand.
uint32_t Ramp(int x, int y) { return static_cast<uint32_t>((x * 10 % 256) << 16 | (y * 10 % 256) << 8 | 7); }

TEST(AverageColor, OfTheSquareInsideTheBitmap) {
  Bitmap b;
  b.SetSize(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) b.At(x, y) = Ramp(x, y);
  b.At(4, 4) = 0x00822807;  // red 130 in the middle
  // 3 x 3 round (4, 4): red 30, 40, 50 per row with 130 for the middle 40 sums 450, average
  // 50; green 40; blue 7. As a colour, red in the low byte.
  EXPECT_EQ(AverageColor(b, {4, 4}, 3), 0x072832u);
  EXPECT_EQ(AverageColor(b, {4, 4}, 1), 0x072882u);
  // 5 x 5 round (0, 0) keeps the 3 x 3 inside: red and green 0, 10, 20 average 10.
  EXPECT_EQ(AverageColor(b, {0, 0}, 5), 0x070A0Au);
  // Halves round up: blue 0 and 12 give 6, green 0 and 11 give 6 (5.5), red 0 and 10 give 5,
  // over the 2 x 3 inside at the right edge.
  Bitmap two;
  two.SetSize(2, 3);
  for (int y = 0; y < 3; ++y) {
    two.At(0, y) = 0x00000000;
    two.At(1, y) = 0x000A0B0C;
  }
  EXPECT_EQ(AverageColor(two, {1, 1}, 3), 0x060605u);
  EXPECT_EQ(AverageColor(two, {9, 9}, 3), 0u) << "nothing inside";
}

struct ViewFixture {
  FakePlatform platform;
  TImageView view{platform.screen, platform.windows, platform.clipboard};

  ViewFixture(int width, int height, float zoom) {
    platform.screen.virtualScreen = {0, 0, 400, 300};
    platform.screen.PaintDesktop(Ramp);
    view.AttachWindow(kView);
    view.WMSize(width, height);
    view.SetZoom(zoom);
    view.SetGetcolor(true);
  }
  void Track(int left, int top) {
    view.SetLeftOffset(left);
    view.SetTopOffset(top);
  }
  std::vector<uint32_t> Snapshot() {
    const Bitmap* shown = view.Paint();
    return {shown->Pixels(), shown->Pixels() + shown->PixelCount()};
  }
  // The pixels that differ, as (x, y).
  std::vector<Point> Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) const {
    std::vector<Point> points;
    for (size_t i = 0; i < a.size(); ++i) {
      if (a[i] != b[i]) points.push_back({static_cast<int>(i) % view.Width(), static_cast<int>(i) / view.Width()});
    }
    return points;
  }
};

TEST(SampledColor, IsTheAverageOfTheChosenSquareAtAnyZoom) {
  for (const float zoom : {1.0f, 4.0f}) {
    ViewFixture t(100, 80, zoom);
    t.Track(10, 12);
    t.Snapshot();
    EXPECT_EQ(t.view.ScreenColor(), 0x077864) << "one pixel: red 100, green 120";
    t.view.SetSampleSize(5);
    t.Snapshot();
    EXPECT_EQ(t.view.ScreenColor(), 0x077864) << "a ramp averages to its middle";
    t.view.SetSampleSize(4);
    EXPECT_EQ(t.view.SampleSize(), 1) << "only 3 and 5 average";
  }
}

TEST(SampledColor, CrosshairOutlinesTheSampledSquare) {
  // Zoom 4, tracked (50, 37), 3 x 3: the outline runs round source pixels 49..51 and 36..38.
  ViewFixture t(400, 300, 4);
  t.Track(50, 37);
  t.view.SetSampleSize(3);
  const auto plain = t.Snapshot();
  t.view.SetDrawCross(true);
  const auto points = t.Changed(plain, t.Snapshot());
  for (const Point p : points) {
    const bool side = (p.x == 196 || p.x == 208) && p.y >= 144 && p.y <= 156;
    const bool end = (p.y == 144 || p.y == 156) && p.x > 196 && p.x < 208;
    EXPECT_TRUE(side || end) << p.x << "," << p.y;
  }
  EXPECT_EQ(points.size(), 48u);

  // At zoom 1 the ring just outside the 3 x 3 leaves the sampled pixels to be seen.
  ViewFixture u(100, 80, 1);
  u.Track(50, 37);
  u.view.SetSampleSize(3);
  const auto before = u.Snapshot();
  u.view.SetDrawCross(true);
  const auto ring = u.Changed(before, u.Snapshot());
  for (const Point p : ring) {
    EXPECT_TRUE(((p.x == 48 || p.x == 52) && p.y >= 35 && p.y <= 39) ||
                ((p.y == 35 || p.y == 39) && p.x > 48 && p.x < 52))
        << p.x << "," << p.y;
  }
  EXPECT_EQ(ring.size(), 16u);
}

TEST(SimulatedPicture, ShowsTheSimulatedDesktopOnEveryPath) {
  // Pure green under full protanopia is #FFE500 (a pixel 0x00FFE500), whatever the zoom path.
  for (const float zoom : {1.0f, 2.0f, 3.0f, 0.5f}) {
    for (const bool smooth : {false, true}) {
      ViewFixture t(60, 40, zoom);
      t.platform.screen.PaintDesktop([](int, int) { return 0x0000FF00u; });
      t.view.SetSmoothen(smooth);
      t.view.SetVisionSimulation({VisionDeficiency::Protan, 100});
      const auto picture = t.Snapshot();
      EXPECT_EQ(picture[static_cast<size_t>(20 * 60 + 10)] & 0xFFFFFF, 0xFFE500u) << zoom << " " << smooth;
      EXPECT_EQ(t.view.ScreenColor(), 0x00FF00) << "the sample is the desktop's own color";
    }
  }
}

}  // namespace
