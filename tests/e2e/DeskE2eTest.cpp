// The real glimmerlux.exe on a desk of several monitors (WINE_MONITORS, see tests/e2e/CMakeLists.txt):
// the picture and the readouts wherever the pointer is, across the edges between monitors, and
// black where no monitor shows anything, as on Windows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "Desk.h"
#include "Desktop.h"
#include "ExpectedPicture.h"
#include "MagnifierOnPattern.h"
#include "ReadoutTexts.h"
#include "fixture/TestPattern.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

struct Place {
  std::string where;
  POINT point;
};

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

class MagnifierOnDesk : public MagnifierOnPattern {
 protected:
  void SetUp() override {
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

  // The desktop as Windows shows it: the pattern where a monitor is, black elsewhere.
  uint32_t DeskColour(int x, int y) const { return OnSomeMonitor(monitors_, {x, y}) ? test_pattern::PixelAt(x, y) : 0; }

  void ExpectDeskPictureAround(const Place& place) {
    SCOPED_TRACE(place.where + " " + Describe(place.point));
    const RECT source = SourceAround(place.point);
    PointAt(place.point, source);
    if (HasFatalFailure()) return;
    ExpectView(PatternAround(place.point, [this](int x, int y) { return DeskColour(x, y); }), true,
               "desktop " + Describe(source) + " doubled");
  }

  // Each monitor's corners and a point inside it, and the middle of every edge two monitors share.
  std::vector<Place> PlacesToLook() const {
    std::vector<Place> places;
    for (size_t i = 0; i < monitors_.size(); ++i) {
      const RECT& b = monitors_[i].bounds;
      const std::string name = "monitor " + Describe(b);
      places.push_back({name + " inside", {b.left + (b.right - b.left) / 3 + 7, b.top + (b.bottom - b.top) / 3 - 5}});
      places.push_back({name + " top-left corner", {b.left, b.top}});
      places.push_back({name + " top-right corner", {b.right - 1, b.top}});
      places.push_back({name + " bottom-left corner", {b.left, b.bottom - 1}});
      places.push_back({name + " bottom-right corner", {b.right - 1, b.bottom - 1}});
      for (size_t j = 0; j < monitors_.size(); ++j) {
        const RECT& o = monitors_[j].bounds;
        const LONG top = std::max(b.top, o.top);
        const LONG bottom = std::min(b.bottom, o.bottom);
        if (b.right == o.left && top < bottom) places.push_back({name + " right edge", {b.right, (top + bottom) / 2}});
        const LONG left = std::max(b.left, o.left);
        const LONG right = std::min(b.right, o.right);
        if (b.bottom == o.top && left < right) {
          places.push_back({name + " bottom edge", {(left + right) / 2 + 3, b.bottom}});
        }
      }
    }
    return places;
  }

  std::vector<DeskMonitor> monitors_;
};

TEST_F(MagnifierOnDesk, ShowsTheExactPictureOnEveryMonitorAcrossTheirEdgesAndBlackBesideThem) {
  for (const Place& place : PlacesToLook()) ExpectDeskPictureAround(place);
}

TEST_F(MagnifierOnDesk, ReadoutsShowTheColourAndTheSignedPositionOnEveryMonitor) {
  HWND panel = GetDlgItem(window_, kPanel1Id);
  ASSERT_TRUE(panel != nullptr);
  for (const DeskMonitor& m : monitors_) {
    const RECT& b = m.bounds;
    const POINT p{b.left + (b.right - b.left) * 2 / 3 - 11, b.top + (b.bottom - b.top) * 2 / 3 + 13};
    SCOPED_TRACE("monitor " + Describe(b) + ", pointer at " + Describe(p));
    PointAt(p, SourceAround(p));
    if (HasFatalFailure()) return;
    const std::string position = PositionText(p);
    const std::string colour = RgbText(test_pattern::PixelAt(p.x, p.y));
    const auto shows = [&](int id, const std::string& text) {
      WaitUntil(kPictureTimeout,
                [&] { return TextOf(GetDlgItem(panel, id)) == std::wstring(text.begin(), text.end()); });
      EXPECT_EQ(TextOf(GetDlgItem(panel, id)), std::wstring(text.begin(), text.end()));
    };
    shows(kPositionLabelId, position);
    shows(kColorSwatchId, colour);
  }
}

}  // namespace
