#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "fake/FakePlatform.h"
#include "main/Placement.h"
#include "main/fmMagnifier.h"

namespace {

constexpr WindowId kMainWindow = 100;
constexpr WindowId kViewWindow = 101;

struct TickFixture {
  FakePlatform platform;
  Tfrmmain form{platform};

  TickFixture(Rect desktop, int viewWidth, int viewHeight, float zoom) {
    platform.screen.virtualScreen = desktop;
    form.AttachWindow(kMainWindow);
    form.imageview1().AttachWindow(kViewWindow);
    form.imageview1().WMSize(viewWidth, viewHeight);
    form.imageview1().SetZoom(zoom);
    platform.windows.windowRects[kMainWindow] = {2000, 2000, 2468, 2282};
  }

  void TickAt(Point pointer) {
    platform.screen.pointer = pointer;
    form.Timer1Timer();
  }

  struct Result {
    int screenLeft, leftOffset, screenTop, topOffset;
    friend bool operator==(const Result&, const Result&) = default;
  };
  Result Placed() {
    TImageView& v = form.imageview1();
    return {v.ScreenLeft(), v.LeftOffset(), v.ScreenTop(), v.TopOffset()};
  }
};

void PrintTo(const TickFixture::Result& r, std::ostream* os) {
  *os << "{ScreenLeft " << r.screenLeft << ", LeftOffset " << r.leftOffset << ", ScreenTop " << r.screenTop
      << ", TopOffset " << r.topOffset << "}";
}

const Rect kFullHd{0, 0, 1920, 1080};

TEST(TrackingTick, PlacesTheCaptureAroundThePointer) {
  struct Case {
    const char* name;
    Rect desktop;
    int viewWidth, viewHeight;
    float zoom;
    Point pointer;
    TickFixture::Result expected;
  } cases[] = {
      {"left edge", kFullHd, 400, 300, 2, {10, 500}, {0, 10, 425, 75}},
      {"bottom right edge", kFullHd, 400, 300, 2, {1900, 1070}, {1720, 180, 930, 140}},
      {"top left corner", kFullHd, 400, 300, 2, {0, 0}, {0, 0, 0, 0}},
      {"shrinking, height limited to the desktop", kFullHd, 400, 300, 0.25f, {960, 540}, {160, 800, 0, 540}},
      {"odd source width, last middle position", kFullHd, 402, 300, 2, {1820, 500}, {1720, 100, 425, 75}},
      {"odd source width, first edge position", kFullHd, 402, 300, 2, {1821, 500}, {1719, 102, 425, 75}},
      {"exactly half a source from the left", kFullHd, 400, 300, 2, {100, 75}, {0, 100, 0, 75}},
      {"monitor left of and above the primary",
       {-1280, -200, 1920, 1080},
       400,
       300,
       2,
       {-1275, -190},
       {-1280, 5, -200, 10}},
      {"middle of a negative desktop", {-1280, -200, 1920, 1080}, 400, 300, 2, {-500, 300}, {-600, 100, 225, 75}},
      {"source as wide as an odd desktop, at its one odd spot",
       {0, 0, 1919, 1080},
       8000,
       300,
       0.25f,
       {960, 500},
       {1, 959, 0, 500}},
      {"source as wide as an odd desktop, elsewhere",
       {0, 0, 1919, 1080},
       8000,
       300,
       0.25f,
       {961, 500},
       {0, 961, 0, 500}},
      {"centre outside the desktop", kFullHd, 400, 300, 2, {2100, -40}, {1720, 380, 0, -40}},
  };
  for (const Case& c : cases) {
    TickFixture t(c.desktop, c.viewWidth, c.viewHeight, c.zoom);
    t.TickAt(c.pointer);
    EXPECT_EQ(t.Placed(), c.expected) << c.name;
  }
}

TEST(TrackingTick, FixedLocationKeepsThePictureWhileTheMarksFollowThePointer) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.form.menu.FixedLocation1.Checked = true;
  t.form.tracking.memX = 960;
  t.form.tracking.memY = 540;
  t.TickAt({1010, 540});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{860, 150, 465, 75}));
  t.TickAt({1260, 540});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{860, 400, 465, 75}));
}

TEST(TrackingTick, AStoredFixedPointAtTheEndsOfTheRangeNeitherOverflowsNorLeavesTheDesktop) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.form.menu.FixedLocation1.Checked = true;
  t.form.tracking.memX = INT32_MIN;
  t.form.tracking.memY = INT32_MAX;
  t.TickAt({100, -50});
  // The picture keeps to the desktop's top-right corner; the marks stay on the pointer.
  EXPECT_EQ(t.Placed(), (TickFixture::Result{0, 100, 930, -980}));
}

TEST(TrackingTick, EveryTickAsksForExactlyOneRepaintEvenWhenNothingMoved) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.TickAt({500, 500});
  const int afterFirst = t.platform.windows.invalidations[kViewWindow];
  t.TickAt({500, 500});
  EXPECT_EQ(t.platform.windows.invalidations[kViewWindow], afterFirst + 1);
}

TEST(TrackingTick, DoesNothingWhileTheWindowIsNotVisible) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.form.Visible = false;
  const int before = t.platform.windows.invalidations[kViewWindow];
  t.TickAt({500, 500});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{0, 0, 0, 0}));
  EXPECT_EQ(t.platform.windows.invalidations[kViewWindow], before);
}

TEST(TrackingTick, HeldCtrlFreezesThePictureOnlyWhileHoverAvoidanceIsOn) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.TickAt({500, 500});
  t.platform.screen.controlDown = true;
  t.TickAt({700, 600});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{600, 100, 525, 75})) << "option off: Ctrl changes nothing";

  t.form.menu.FlipwhenHovered1.Checked = true;
  const int before = t.platform.windows.invalidations[kViewWindow];
  t.TickAt({900, 900});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{600, 100, 525, 75}));
  EXPECT_EQ(t.platform.windows.invalidations[kViewWindow], before) << "no repaint while Ctrl is held";
}

TEST(TrackingTick, AFailingPointerQueryEndsTheTickQuietly) {
  TickFixture t(kFullHd, 400, 300, 2);
  t.TickAt({500, 500});
  const int before = t.platform.windows.invalidations[kViewWindow];
  t.platform.screen.pointerWorks = false;
  t.TickAt({900, 900});
  EXPECT_EQ(t.Placed(), (TickFixture::Result{400, 100, 425, 75}));
  EXPECT_EQ(t.platform.windows.invalidations[kViewWindow], before);
}

TEST(TrackingTick, AMenuOrADialogOpenedFromInsideATickLetsTheTicksRunAndTheOldTickDropsItsCaret) {
  // The lookup pumped a right click or a click on "About": the new loop runs (its ticks follow
  // the caret, which has moved meanwhile) and returns once the person closes it.
  using Loop = std::function<void(TickFixture&, const std::function<void()>&)>;
  const std::pair<const char*, Loop> loops[] = {
      {"menu",
       [](TickFixture& t, const std::function<void()>& run) {
         t.form.commandPoint.MenuShown();
         run();
         t.form.commandPoint.MenuHidden();
       }},
      {"dialog",
       [](TickFixture& t, const std::function<void()>& run) {
         t.form.dialogs.host.showAbout = [&](TfrmAbout&) { run(); };
         t.form.AboutGlimmerlux1Click();
       }},
  };
  for (const auto& [what, loop] : loops) {
    SCOPED_TRACE(what);
    TickFixture t(kFullHd, 400, 300, 2);
    t.form.btnTypeClick();
    t.platform.caret.automationFinds = true;
    t.platform.caret.automationCaret = {1000, 700};
    t.platform.caret.duringAutomation = [&t, &loop = loop] {
      loop(t, [&t] {
        t.platform.caret.automationCaret = {1200, 800};
        const int repaints = t.platform.windows.invalidations[kViewWindow];
        for (int i = 0; i < 3; ++i) t.TickAt({900, 900});
        EXPECT_GE(t.platform.windows.invalidations[kViewWindow], repaints + 3) << "the ticks inside did not run";
      });
    };
    t.TickAt({500, 500});
    // Around the caret as the ticks inside found it: 1200 - 100 and 800 - 75.
    EXPECT_EQ(t.Placed(), (TickFixture::Result{1100, 100, 725, 75}));
    t.platform.caret.automationCaret = {600, 400};
    t.TickAt({500, 500});
    EXPECT_EQ(t.Placed(), (TickFixture::Result{500, 100, 325, 75})) << "the guard was left set";
  }
}

TEST(SourceSize, RoundsHalfToEvenAndIsLimitedByTheDesktop) {
  EXPECT_EQ(SourceSize(401, 301, 2, kFullHd), (Point{200, 150}));  // 200.5 and 150.5 round to even
  EXPECT_EQ(SourceSize(403, 303, 2, kFullHd), (Point{202, 152}));
  EXPECT_EQ(SourceSize(400, 300, 3, kFullHd), (Point{133, 100}));
  EXPECT_EQ(SourceSize(800, 600, 0.25f, kFullHd), (Point{1920, 1080}));
}

}  // namespace
