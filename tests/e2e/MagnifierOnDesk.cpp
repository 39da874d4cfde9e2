#include "MagnifierOnDesk.h"

#include "fixture/TestPattern.h"

void MagnifierOnDesk::SetUp() {
  monitors_ = IntendedMonitors();
  ASSERT_GE(monitors_.size(), 2u) << "this test needs a desk of several monitors (WINE_MONITORS)";
  ASSERT_TRUE(IsTheIntendedDesk());
  MagnifierOnPattern::SetUp();
  if (HasFatalFailure()) return;
  // The pattern window was asked to cover the desktop: every monitor's corners show it.
  for (const DeskMonitor& m : monitors_) {
    const RECT& b = m.bounds;
    for (const POINT corner : {POINT{b.left, b.top}, POINT{b.right - 1, b.top}, POINT{b.left, b.bottom - 1},
                               POINT{b.right - 1, b.bottom - 1}}) {
      const Picture shown = GrabScreen({corner.x, corner.y, corner.x + 1, corner.y + 1});
      ASSERT_EQ(shown.At(0, 0), test_pattern::PixelAt(corner.x, corner.y))
          << "the harness misplaced the test pattern: " << Describe(corner) << " does not show it";
    }
  }
}

uint32_t MagnifierOnDesk::DeskColor(int x, int y) const {
  return OnSomeMonitor(monitors_, {x, y}) ? test_pattern::PixelAt(x, y) : 0;
}

void MagnifierOnDesk::ExpectDeskPictureAround(const std::string& where, POINT pointer) {
  SCOPED_TRACE(where + " " + Describe(pointer));
  const RECT source = SourceAround(pointer);
  PointAt(pointer, source);
  if (HasFatalFailure()) return;
  ExpectView(PatternAround(pointer, [this](int x, int y) { return DeskColor(x, y); }), true,
             "desktop " + Describe(source) + " doubled");
}

const DeskMonitor& MagnifierOnDesk::Secondary() const {
  for (const DeskMonitor& m : monitors_) {
    if (!m.primary) return m;
  }
  return monitors_.front();
}
