#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <vector>

#include "fake/FakePlatform.h"
#include "unit/CpuPaths.h"
#include "view/VwImage.h"

namespace {

constexpr WindowId kView = 7;
const uint32_t kGrey = 0x808080;

// Opens the protected bitmaps to the tests.
class ProbedView : public TImageView {
 public:
  using TImageView::TImageView;
  const Bitmap& SourceCopy() const { return Fsourcecopy; }
  Bitmap& MainBitmap() { return FMainBitMap; }
};

struct ViewFixture {
  FakePlatform platform;
  ProbedView view{platform.screen, platform.windows, platform.clipboard};

  ViewFixture(int width, int height, float zoom) {
    view.AttachWindow(kView);
    view.WMSize(width, height);
    view.SetZoom(zoom);
  }
  int Repaints() { return platform.windows.invalidations[kView]; }
  const Bitmap& Paint() {
    const Bitmap* shown = view.Paint();
    EXPECT_NE(shown, nullptr);
    return *shown;
  }
  uint32_t Desktop(int x, int y) { return platform.screen.pixels.At(x, y); }
};

bool SameRgb(uint32_t a, uint32_t b) { return ((a ^ b) & 0x00FFFFFF) == 0; }

TEST(ImageViewProperties, ChangedValuesAskForOneRepaintAndEqualValuesForNone) {
  const std::function<void(TImageView&)> writes[] = {
      [](TImageView& v) { v.SetScreenLeft(5); },
      [](TImageView& v) { v.SetScreenTop(-5); },
      [](TImageView& v) { v.SetLeftOffset(3); },
      [](TImageView& v) { v.SetTopOffset(3); },
      [](TImageView& v) { v.SetZoom(3); },
      [](TImageView& v) { v.SetSmoothen(true); },
      [](TImageView& v) { v.SetDrawCross(true); },
      [](TImageView& v) { v.SetShowCursor(true); },
      [](TImageView& v) { v.SetDrawGrid(true); },
      [](TImageView& v) { v.SetFixedGrid(true); },
      [](TImageView& v) { v.SetColorFilterMode(cfSepia); },
      [](TImageView& v) { v.SetFlipHorizontal(true); },
      [](TImageView& v) { v.SetFlipVertical(true); },
      [](TImageView& v) { v.SetBorderColor(clSilver); },
      [](TImageView& v) { v.SetBorderStyle(bsSingle); },
      [](TImageView& v) { v.SetBorderWidth(2); },
      [](TImageView& v) { v.SetBevelInner(bvLowered); },
      [](TImageView& v) { v.SetBevelOuter(bvRaised); },
      [](TImageView& v) { v.SetBevelWidth(3); },
  };
  int index = 0;
  for (const auto& write : writes) {
    ViewFixture t(100, 100, 2);
    const int before = t.Repaints();
    write(t.view);
    EXPECT_EQ(t.Repaints(), before + 1) << "write #" << index;
    write(t.view);
    EXPECT_EQ(t.Repaints(), before + 1) << "same value again, write #" << index;
    ++index;
  }
}

TEST(ImageViewProperties, GridlevelAndGetcolorOnlyStore) {
  ViewFixture t(100, 100, 2);
  const int before = t.Repaints();
  t.view.SetGridlevel(10);
  t.view.SetGetcolor(true);
  EXPECT_EQ(t.view.Gridlevel(), 10);
  EXPECT_EQ(t.Repaints(), before);
}

TEST(ImageViewProperties, ZoomBelowATenthBecomesATenthAndNotifiesOnce) {
  ViewFixture t(100, 100, 2);
  int notified = 0;
  t.view.OnZoomChanged = [&](TCustomImageView* sender) {
    EXPECT_EQ(sender, &t.view);
    ++notified;
  };
  t.view.SetZoom(0.05f);
  EXPECT_EQ(t.view.Zoom(), 0.1f);
  EXPECT_EQ(notified, 1);
  const int repaints = t.Repaints();
  t.view.SetZoom(0.05f);
  t.view.SetZoom(0.1f);
  EXPECT_EQ(notified, 1);
  EXPECT_EQ(t.Repaints(), repaints);
}

TEST(ImageViewUpdateBatch, NestedBatchesRepaintOnceAtTheOutermostEndAndPaintNothingMeanwhile) {
  ViewFixture t(100, 100, 2);
  const int before = t.Repaints();
  t.view.BeginUpdate();
  t.view.BeginUpdate();
  t.view.EndUpdate(true);
  EXPECT_EQ(t.Repaints(), before);
  EXPECT_EQ(t.view.Paint(), nullptr);
  t.view.EndUpdate(true);
  EXPECT_EQ(t.Repaints(), before + 1);
  t.view.EndUpdate(true);  // unmatched
  EXPECT_EQ(t.Repaints(), before + 1);
  EXPECT_EQ(t.view.UpdateCount(), 0);

  t.view.BeginUpdate();
  t.view.EndUpdate(false);
  EXPECT_EQ(t.Repaints(), before + 1);
}

TEST(ImageViewRefreshTimer, RunsTimerOneAtTheIntervalOnlyWhileSwitchedOn) {
  ViewFixture t(100, 100, 2);
  t.view.SetTimerInterval(0);
  EXPECT_EQ(t.view.TimerInterval(), 1);
  EXPECT_TRUE(t.platform.windows.timers.empty());
  const auto timer = [&] { return t.platform.windows.timers[std::make_pair(kView, uintptr_t{1})]; };
  t.view.SetTimerInterval(40);
  t.view.SetTimerRefresh(true);
  EXPECT_EQ(timer().interval, 40u);
  EXPECT_TRUE(timer().running);
  t.view.SetTimerInterval(25);
  EXPECT_EQ(timer().interval, 25u);
  t.view.SetTimerRefresh(false);
  EXPECT_FALSE(timer().running);
}

TEST(ImageViewGeometry, ImageRectShrinksByBorderAndBevels) {
  ViewFixture t(100, 80, 2);
  EXPECT_EQ(t.view.GetImageRect(), (Rect{0, 0, 100, 80}));
  t.view.SetBorderWidth(2);
  t.view.SetBevelOuter(bvRaised);
  t.view.SetBevelInner(bvLowered);
  t.view.SetBevelWidth(3);
  EXPECT_EQ(t.view.GetImageRect(), (Rect{8, 8, 92, 72}));
  t.view.SetCtl3D(false);
  EXPECT_EQ(t.view.GetImageRect(), (Rect{5, 5, 95, 75}));

  int w = 0, h = 0;
  t.view.GetSourceSize(w, h);
  EXPECT_EQ(w, 54);
  EXPECT_EQ(h, 44);
}

TEST(ImageViewPaint, WholeZoomsShowEachDesktopPixelAsAnExactBlock) {
  ViewFixture t(400, 300, 3);
  t.view.SetScreenLeft(100);
  t.view.SetScreenTop(50);
  const Bitmap& shown = t.Paint();
  EXPECT_EQ(t.view.SourceCopy().Width(), 134);  // Ceil(133.33)
  EXPECT_EQ(t.view.SourceCopy().Height(), 100);
  ASSERT_EQ(shown.Width(), 400);
  for (int y = 0; y < 300; y += 7)
    for (int x = 0; x < 400; x += 5) ASSERT_EQ(shown.At(x, y), t.Desktop(100 + x / 3, 50 + y / 3)) << x << "," << y;
  EXPECT_EQ(shown.At(399, 299), t.Desktop(100 + 133, 50 + 99)) << "the last source column lies partly outside";
}

TEST(ImageViewPaint, ShrinkingLeavesTheRestOfTheViewGrey) {
  ViewFixture t(800, 600, 0.25f);
  const Bitmap& shown = t.Paint();
  EXPECT_EQ(t.view.SourceCopy().Width(), 1920);
  EXPECT_EQ(t.view.SourceCopy().Height(), 1080);
  // Column 479 is the one source column 1917 keeps: Round(1917 * 0.25) = 479, Round(1918 * 0.25) = 480.
  EXPECT_EQ(shown.At(479, 269), t.Desktop(1917, 1077));
  EXPECT_TRUE(SameRgb(shown.At(480, 0), kGrey));
  EXPECT_TRUE(SameRgb(shown.At(0, 270), kGrey));
  EXPECT_TRUE(SameRgb(shown.At(799, 599), kGrey));
}

TEST(ImageViewPaint, ZoomOneCopiesTheDesktopAndMarksTheCrosshairWithOnePixel) {
  ViewFixture t(200, 100, 1);
  t.view.SetScreenLeft(30);
  t.view.SetScreenTop(40);
  t.view.SetLeftOffset(10);
  t.view.SetTopOffset(20);
  t.view.SetDrawCross(true);
  t.view.SetGridlevel(5);
  t.view.SetBorderColor(clSilver);
  const Bitmap& shown = t.Paint();
  int changed = 0;
  for (int y = 1; y < 99; ++y)
    for (int x = 1; x < 199; ++x)
      if (!SameRgb(shown.At(x, y), t.Desktop(30 + x, 40 + y))) ++changed;
  EXPECT_EQ(changed, 1) << "no grid, one crosshair pixel";
  EXPECT_TRUE(SameRgb(shown.At(10, 20), InvertPixel(t.Desktop(40, 60))));
  for (const Point p : {Point{0, 0}, Point{199, 50}, Point{100, 99}, Point{0, 70}})
    EXPECT_TRUE(SameRgb(shown.At(p.x, p.y), 0xC0C0C0)) << "the silver frame at " << p.x << "," << p.y;
}

// A border around the capture is grey and stays grey under the filter; the frame goes over it.
TEST(ImageViewPaint, ZoomOneWritesEveryPixelOfTheViewWhateverTheBitmapHeld) {
  ViewFixture t(30, 20, 1);
  t.view.SetBorderWidth(3);
  t.view.SetColorFilterMode(cfInvert);
  for (const ColorRef border : {clBtnFace, clSilver}) {
    t.view.SetBorderColor(border);
    t.Paint();
    Bitmap& bitmap = t.view.MainBitmap();
    std::fill_n(bitmap.Pixels(), bitmap.PixelCount(), 0x00123456u);  // what an older frame left
    const Bitmap& shown = t.Paint();
    ASSERT_EQ(&shown, &bitmap);
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) {
        const bool edge = x == 0 || y == 0 || x == 29 || y == 19;
        const bool inside = x >= 3 && y >= 3 && x < 27 && y < 17;
        const uint32_t want = border == clSilver && edge ? 0xC0C0C0
                              : inside                   ? InvertPixel(t.Desktop(x - 3, y - 3))
                                                         : kGrey;
        ASSERT_TRUE(SameRgb(shown.At(x, y), want)) << x << "," << y << " border color " << border;
      }
    }
  }
}

TEST(ImageViewPaint, SilverBorderColorFramesTheScaledPicture) {
  ViewFixture t(40, 30, 2);
  t.view.SetBorderColor(clSilver);
  const Bitmap& shown = t.Paint();
  for (const Point p : {Point{0, 0}, Point{39, 10}, Point{20, 29}, Point{0, 15}})
    EXPECT_TRUE(SameRgb(shown.At(p.x, p.y), 0xC0C0C0)) << p.x << "," << p.y;
  EXPECT_EQ(shown.At(1, 1), t.Desktop(0, 0));
}

TEST(ImageViewPaint, WithoutTheDesktopTheViewStaysGrey) {
  ViewFixture t(40, 30, 2);
  t.platform.screen.captureWorks = false;
  const Bitmap& shown = t.Paint();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_TRUE(SameRgb(shown.At(x, y), kGrey));
}

TEST(ImageViewColorSample, TakesTheUnfilteredDesktopPixelInsideTheCaptureOnly) {
  for (const float zoom : {1.0f, 2.0f}) {
    ViewFixture t(100, 100, zoom);
    t.platform.screen.PaintDesktop([](int x, int y) { return x == 12 && y == 8 ? 0x00FF0000u : 0x00102030u; });
    t.view.SetGetcolor(true);
    t.view.SetColorFilterMode(cfInvert);
    t.view.SetFlipHorizontal(true);
    t.view.SetFlipVertical(true);
    t.view.SetLeftOffset(12);
    t.view.SetTopOffset(8);
    t.Paint();
    EXPECT_EQ(t.view.ScreenColor(), 0x0000FF) << "pure red at zoom " << zoom;

    for (const int outside : {-1, t.view.SourceCopy().Width() > 0 ? t.view.SourceCopy().Width() : 100}) {
      t.view.SetLeftOffset(outside);
      t.Paint();
      EXPECT_EQ(t.view.ScreenColor(), 0x0000FF) << "offset " << outside << " keeps the last color";
    }
    t.view.SetGetcolor(false);
    t.view.SetLeftOffset(0);
    t.Paint();
    EXPECT_EQ(t.view.ScreenColor(), 0x0000FF);
  }
}

TEST(ImageViewFlips, BothFlipsPointMirrorThePictureWithItsCrosshair) {
  ViewFixture plain(60, 40, 2);
  ViewFixture flipped(60, 40, 2);
  for (ViewFixture* t : {&plain, &flipped}) {
    t->view.SetLeftOffset(4);
    t->view.SetTopOffset(3);
    t->view.SetDrawCross(true);
  }
  flipped.view.SetFlipHorizontal(true);
  flipped.view.SetFlipVertical(true);
  const Bitmap& a = plain.Paint();
  const Bitmap& b = flipped.Paint();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x) ASSERT_EQ(b.At(59 - x, 39 - y), a.At(x, y)) << x << "," << y;
}

// A cursor that is no mirror image of itself and depends on what lies under it, as a real
// cursor's mask does.
class LopsidedCursorScreen : public FakeScreen {
 public:
  bool DrawCursorImage(Bitmap& target, const CursorImage&, Point at, int size) override {
    for (int v = 0; v < size; ++v) {
      for (int u = 0; u <= v / 2; ++u) {
        const int x = at.x + u, y = at.y + v;
        if (x < 0 || y < 0 || x >= target.Width() || y >= target.Height()) continue;
        target.At(x, y) = u == 0 ? 0x000000FFu : InvertPixel(target.At(x, y));
      }
    }
    return true;
  }
};

struct LopsidedCursorPlatform {
  LopsidedCursorScreen screen;
  FakeWindowing windows;
  FakeClipboard clipboard;
};

struct FlipCase {
  float zoom;
  bool smooth;
  TColorFilterMode filter;
  int border = 3;
};

// A view with every overlay on, a tracked pixel off the middle and the case's zoom, smoothing,
// filter and border.
void SetUpBusyView(ProbedView& view, const FlipCase& c) {
  view.AttachWindow(kView);
  view.WMSize(203, 151);
  view.SetZoom(c.zoom);
  view.SetSmoothen(c.smooth);
  view.SetColorFilterMode(c.filter);
  view.SetBorderWidth(c.border);
  view.SetScreenLeft(40);
  view.SetScreenTop(30);
  view.SetLeftOffset(9);
  view.SetTopOffset(7);
  view.SetShowCursor(true);
  view.SetDrawCross(true);
  view.SetGridlevel(4);
  view.SetBorderColor(clSilver);
}

// The scaled path mirrors while it scales and draws its overlays mirrored; the picture must be
// the plain picture flipped afterwards, byte for byte.
TEST(ImageViewFlips, EveryFlipShowsThePlainPictureMirroredWithItsOverlays) {
  const FlipCase cases[] = {{2, false, cfSepia},        {3, false, cfNone},          {1.5f, false, cfInvert},
                            {0.5f, false, cfSepia},     {0.25f, false, cfGrayscale}, {2, true, cfSepia},
                            {0.5f, true, cfProtanopia}, {1, false, cfSepia},         {2, false, cfSepia, 0}};
  const std::pair<bool, bool> flips[] = {{true, false}, {false, true}, {true, true}};
  for (const FlipCase& c : cases) {
    for (const auto& [horizontal, vertical] : flips) {
      LopsidedCursorPlatform platform;
      ProbedView plain(platform.screen, platform.windows, platform.clipboard),
          flipped(platform.screen, platform.windows, platform.clipboard);
      for (ProbedView* view : {&plain, &flipped}) {
        SetUpBusyView(*view, c);
        view->SetDrawGrid(horizontal);
      }
      flipped.SetFlipHorizontal(horizontal);
      flipped.SetFlipVertical(vertical);
      Bitmap expected;
      const Bitmap& shown = *plain.Paint();
      expected.SetSize(shown.Width(), shown.Height());
      std::copy_n(shown.Pixels(), shown.PixelCount(), expected.Pixels());
      // The frame goes on after the flips and is its own mirror image.
      if (horizontal) FlipBitmapHorizontally(expected);
      if (vertical) FlipBitmapVertically(expected);
      const Bitmap& actual = *flipped.Paint();
      int wrong = 0;
      for (int y = 0; y < expected.Height(); ++y)
        for (int x = 0; x < expected.Width(); ++x) wrong += actual.At(x, y) != expected.At(x, y);
      EXPECT_EQ(wrong, 0) << "zoom " << c.zoom << (c.smooth ? " smooth" : "") << " filter " << int{c.filter}
                          << " border " << c.border << " flips " << horizontal << vertical;
    }
  }
}

// The whole paint on each kernel path the machine runs against the plain one: the paths meet
// inside it at lengths and places the kernels' own tests do not choose.
TEST(ImageViewPaint, EveryProcessorPathPaintsTheSameFrame) {
  const FlipCase cases[] = {{2, false, cfSepia, 0},
                            {2, false, cfInvert},
                            {0.5f, false, cfSepia},
                            {1.5f, true, cfProtanopia},
                            {0.25f, true, cfGrayscale}};
  for (const FlipCase& c : cases) {
    for (const bool flip : {false, true}) {
      LopsidedCursorPlatform platform;
      ProbedView view(platform.screen, platform.windows, platform.clipboard);
      SetUpBusyView(view, c);
      view.SetFlipHorizontal(flip);
      view.SetFlipVertical(flip);
      std::vector<uint32_t> plain;
      for (const CpuPath& path : CpuPaths()) {
        const CpuPathScope scope(path);
        const Bitmap& shown = *view.Paint();
        const std::vector<uint32_t> frame(shown.Pixels(), shown.Pixels() + shown.PixelCount());
        if (plain.empty()) plain = frame;
        EXPECT_EQ(frame, plain) << path.name << " zoom " << c.zoom << (c.smooth ? " smooth" : "") << " filter "
                                << int{c.filter} << (flip ? " flipped" : "");
      }
    }
  }
}

TEST(ImageViewPaint, ShrunkPictureIsFilteredButNotTheGreyAroundNorTheOverlays) {
  ViewFixture t(800, 600, 0.25f);
  t.view.SetColorFilterMode(cfInvert);
  const Bitmap& shown = t.Paint();
  EXPECT_TRUE(SameRgb(shown.At(0, 0), InvertPixel(t.Desktop(2, 2))));
  EXPECT_TRUE(SameRgb(shown.At(479, 269), InvertPixel(t.Desktop(1917, 1077))));
  EXPECT_TRUE(SameRgb(shown.At(480, 0), kGrey));
  EXPECT_TRUE(SameRgb(shown.At(799, 599), kGrey));
}

TEST(ImageViewClipboard, CopiesExactlyWhatIsShown) {
  ViewFixture t(50, 40, 2);
  t.view.SetDrawCross(true);
  t.view.SetFlipHorizontal(true);
  const Bitmap& shown = t.Paint();
  t.view.CopyToClipBoard();
  ASSERT_NE(t.platform.clipboard.bitmap, nullptr);
  ASSERT_EQ(t.platform.clipboard.bitmap->Width(), 50);
  ASSERT_EQ(t.platform.clipboard.bitmap->Height(), 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) ASSERT_EQ(t.platform.clipboard.bitmap->At(x, y), shown.At(x, y));
}

// Counts the pixel memory the view asks for.
class CountingSurfaces : public SurfaceFactory {
 public:
  std::unique_ptr<Surface> Create(int width, int height) override {
    ++created;
    return HeapSurfaces().Create(width, height);
  }
  int created = 0;
};

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator calls these on every allocation, whoever asks for it.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
std::atomic<bool> countingAllocations{false};
std::atomic<int> allocations{0};
void OnMalloc(const volatile void*, size_t) {
  if (countingAllocations.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
}
void OnFree(const volatile void*) {}

TEST(ImageViewResources, SteadyPaintsAllocateNoMemory) {
  static const bool installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
  ASSERT_TRUE(installed);
  LopsidedCursorPlatform platform;
  TImageView view(platform.screen, platform.windows, platform.clipboard);
  view.AttachWindow(kView);
  view.WMSize(300, 200);
  view.SetShowCursor(true);
  view.SetGridlevel(5);
  view.SetDrawCross(true);
  view.SetGetcolor(true);
  view.SetColorFilterMode(cfSepia);
  for (const float zoom : {1.0f, 2.0f, 1.5f, 0.5f}) {
    for (const bool smooth : {false, true}) {
      for (const bool flip : {false, true}) {
        view.SetZoom(zoom);
        view.SetSmoothen(smooth);
        view.SetFlipHorizontal(flip);
        view.SetFlipVertical(flip);
        view.Paint();
        allocations = 0;
        countingAllocations = true;
        for (int i = 0; i < 3; ++i) view.Paint();
        countingAllocations = false;
        EXPECT_EQ(allocations.load(), 0) << "zoom " << zoom << (smooth ? " smooth" : "") << (flip ? " flipped" : "");
      }
    }
  }
}
#endif

TEST(ImageViewResources, SteadyFramesAllocateNoBitmaps) {
  FakePlatform platform;
  CountingSurfaces surfaces;
  TImageView view(platform.screen, platform.windows, platform.clipboard, surfaces);
  view.AttachWindow(kView);
  view.WMSize(300, 200);
  for (const float zoom : {1.0f, 2.0f, 1.5f}) {
    view.SetZoom(zoom);
    view.SetGridlevel(5);
    view.SetDrawCross(true);
    view.SetFlipHorizontal(true);
    view.Paint();
    const int afterFirst = surfaces.created;
    for (int i = 0; i < 3; ++i) view.Paint();
    EXPECT_EQ(surfaces.created, afterFirst) << "zoom " << zoom;
  }
}

}  // namespace
