#include <gtest/gtest.h>

#include <vector>

#include "fake/FakePlatform.h"
#include "fake/FormFixture.h"
#include "main/MoveAwayFromPointer.h"
#include "main/fmMagnifier.h"

namespace {

TEST(RectsOverlap, NeedsACommonPixelSoTouchingEdgesDoNot) {
  const Rect a{0, 0, 10, 10};
  const struct {
    Rect b;
    bool overlap;
  } cases[] = {
      {{10, 0, 20, 10}, false},  {{-10, 0, 0, 10}, false}, {{0, 10, 10, 20}, false}, {{0, -10, 10, 0}, false},
      {{9, 9, 20, 20}, true},    {{-5, -5, 1, 1}, true},   {{2, 2, 3, 3}, true},     {{-5, -5, 15, 15}, true},
      {{20, 20, 30, 30}, false}, {{5, 20, 6, 30}, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RectsOverlap(a, c.b), c.overlap) << c.b.left << "," << c.b.top << "," << c.b.right << "," << c.b.bottom;
    EXPECT_EQ(RectsOverlap(c.b, a), c.overlap);
  }
}

const std::vector<MonitorArea> kOneMonitor{{1, {0, 0, 1920, 1080}}};
const std::vector<MonitorArea> kSideBySide{{1, {0, 0, 1920, 1080}}, {2, {1920, 0, 3840, 1080}}};
// The second monitor reaches left of and above the primary.
const std::vector<MonitorArea> kLeftAndAbove{{1, {0, 0, 1920, 1080}}, {2, {-1280, -200, 0, 824}}};
//  +---+
//  | 1 |
//  +---+---+
//      | 2 |
//      +---+---+
//          | 3 |
//          +---+
const std::vector<MonitorArea> kStaircase{
    {1, {0, 0, 1920, 1080}}, {2, {1920, 1080, 3840, 2160}}, {3, {3840, 2160, 5760, 3240}}};

TEST(MoveAwayFromPointer, TakesTheFirstFreeSideOrAnotherMonitorsCentre) {
  const struct Case {
    const char* name;
    const std::vector<MonitorArea>& monitors;
    int width, height;
    Point pointer;
    Point expected;
  } cases[] = {
      {"right of the pointer", kOneMonitor, 400, 300, {500, 500}, {650, 350}},
      {"left when the right is off the monitor", kOneMonitor, 400, 300, {1800, 500}, {1250, 350}},
      {"below when right, left and above are blocked", kOneMonitor, 400, 300, {500, 100}, {300, 250}},
      {"left before above", kOneMonitor, 400, 300, {1500, 500}, {950, 350}},
      {"above before below", kOneMonitor, 1000, 300, {960, 500}, {460, 50}},
      {"above when right and left are blocked", kOneMonitor, 1000, 300, {960, 900}, {460, 450}},
      {"no side free and no other monitor: centred", kOneMonitor, 400, 300, {1800, 50}, {760, 390}},
      {"wider than the monitor: negative centring offset", kOneMonitor, 2001, 300, {500, 500}, {-40, 390}},
      // Right of the pointer half an odd height would fit, the whole height not.
      {"odd height never reaches past the bottom: above", kOneMonitor, 400, 301, {500, 930}, {300, 479}},
      {"odd width never reaches past the right: centred", kOneMonitor, 1301, 300, {1270, 900}, {309, 390}},
      {"no side free: centred on the next monitor", kSideBySide, 400, 300, {1800, 50}, {2680, 390}},
      {"no side free on the second: back to the first", kSideBySide, 400, 300, {3700, 50}, {760, 390}},
      {"right of the pointer on the second monitor", kSideBySide, 400, 300, {2000, 500}, {2150, 350}},
      {"negative monitor: right of the pointer", kLeftAndAbove, 400, 300, {-1200, 300}, {-1050, 150}},
      {"negative monitor: above the pointer", kLeftAndAbove, 400, 300, {-640, 700}, {-840, 250}},
      {"negative monitor: no side free, the primary's centre", kLeftAndAbove, 400, 300, {-100, -150}, {760, 390}},
      {"primary: no side free, the negative monitor's centre", kLeftAndAbove, 400, 300, {1800, 50}, {-840, 162}},
      {"staircase: middle step's corner goes to the first", kStaircase, 400, 300, {1930, 1090}, {760, 390}},
      {"staircase: first step's corner goes to the second", kStaircase, 400, 300, {1800, 50}, {2680, 1470}},
      {"staircase: last step, left of the pointer", kStaircase, 400, 300, {5700, 2700}, {5150, 2550}},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    platform.monitors.list = c.monitors;
    platform.screen.pointer = c.pointer;
    platform.windows.windowRects[kMainWindow] = {7, 9, 7 + c.width, 9 + c.height};
    MoveAwayFromPointer(platform.screen, platform.monitors, platform.windows, kMainWindow);
    const Rect& moved = platform.windows.windowRects[kMainWindow];
    EXPECT_EQ((Point{moved.left, moved.top}), c.expected) << c.name;
    EXPECT_EQ(moved.Width(), c.width) << c.name;
    EXPECT_EQ(moved.Height(), c.height) << c.name;
  }
}

TEST(MoveAwayFromPointer, MovesLeftThenTopAsTwoChanges) {
  FakePlatform platform;
  platform.screen.pointer = {500, 500};
  platform.windows.windowRects[kMainWindow] = {400, 400, 800, 700};
  MoveAwayFromPointer(platform.screen, platform.monitors, platform.windows, kMainWindow);
  const std::vector<FakeWindowing::WindowMove> expected{{kMainWindow, 'L', 650}, {kMainWindow, 'T', 350}};
  EXPECT_EQ(platform.windows.windowMoves, expected);
}

TEST(MoveAwayFromPointer, LeavesTheWindowWhenThePointerOrItsMonitorIsUnknown) {
  FakePlatform platform;
  platform.screen.pointer = {500, 500};
  platform.windows.windowRects[kMainWindow] = {400, 400, 800, 700};
  platform.screen.pointerWorks = false;
  MoveAwayFromPointer(platform.screen, platform.monitors, platform.windows, kMainWindow);
  platform.screen.pointerWorks = true;
  platform.monitors.list.clear();
  MoveAwayFromPointer(platform.screen, platform.monitors, platform.windows, kMainWindow);
  EXPECT_TRUE(platform.windows.windowMoves.empty());
}

TEST(TrackingTick, MovesTheWindowAwayOnlyWhenThePointerIsOverIt) {
  const Rect window{400, 400, 800, 700};
  const struct Case {
    const char* name;
    bool option;
    bool control;
    Point pointer;
    WindowId rootUnderPointer;
    bool moves;
  } cases[] = {
      {"inside the window", true, false, {500, 500}, 0, true},
      {"on its top-left corner", true, false, {400, 400}, 0, true},
      {"just past its right edge", true, false, {800, 500}, 0, false},
      {"just past its bottom edge", true, false, {500, 700}, 0, false},
      {"outside, but over one of its windows", true, false, {900, 500}, kMainWindow, true},
      {"over another window", true, false, {900, 500}, 555, false},
      {"Ctrl held", true, true, {500, 500}, 0, false},
      {"option off", false, false, {500, 500}, kMainWindow, false},
  };
  for (const Case& c : cases) {
    FakePlatform platform;
    Tfrmmain form{platform};
    form.AttachWindow(kMainWindow);
    form.imageview1().AttachWindow(kViewWindow);
    form.imageview1().WMSize(400, 300);
    platform.windows.windowRects[kMainWindow] = window;
    platform.windows.rootWindowAt = [&](Point) { return c.rootUnderPointer; };
    platform.screen.pointer = c.pointer;
    platform.screen.controlDown = c.control;
    SetChecked(form, "FlipwhenHovered1", c.option);
    form.Timer1Timer();
    EXPECT_EQ(!platform.windows.windowMoves.empty(), c.moves) << c.name;
  }
}

TEST(TrackingTick, KeepsTrackingThePointerItReadBeforeTheMove) {
  FakePlatform platform;
  Tfrmmain form{platform};
  form.AttachWindow(kMainWindow);
  form.imageview1().AttachWindow(kViewWindow);
  form.imageview1().WMSize(400, 300);
  form.imageview1().SetZoom(2);
  platform.windows.windowRects[kMainWindow] = {400, 400, 800, 700};
  platform.screen.pointer = {500, 500};
  SetChecked(form, "FlipwhenHovered1", true);
  form.Timer1Timer();
  EXPECT_EQ(platform.windows.windowRects[kMainWindow], (Rect{650, 350, 1050, 650}));
  EXPECT_EQ(form.imageview1().ScreenLeft(), 400);
  EXPECT_EQ(form.imageview1().ScreenTop(), 425);
}

}  // namespace
