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
#include "MagnifierOnDesk.h"
#include "ReadoutTexts.h"
#include "fixture/TestPattern.h"
#include "main/win32/ControlIds.h"

namespace {

using namespace std::chrono_literals;

struct Place {
  std::string where;
  POINT point;
};

// Each monitor's corners and a point inside it, and the middle of every edge two monitors share.
std::vector<Place> PlacesToLook(const std::vector<DeskMonitor>& monitors) {
  std::vector<Place> places;
  for (const DeskMonitor& monitor : monitors) {
    const RECT& b = monitor.bounds;
    const std::string name = "monitor " + Describe(b);
    places.push_back({name + " inside", {b.left + (b.right - b.left) / 3 + 7, b.top + (b.bottom - b.top) / 3 - 5}});
    places.push_back({name + " top-left corner", {b.left, b.top}});
    places.push_back({name + " top-right corner", {b.right - 1, b.top}});
    places.push_back({name + " bottom-left corner", {b.left, b.bottom - 1}});
    places.push_back({name + " bottom-right corner", {b.right - 1, b.bottom - 1}});
    for (const DeskMonitor& other : monitors) {
      const RECT& o = other.bounds;
      const LONG top = std::max(b.top, o.top);
      const LONG bottom = std::min(b.bottom, o.bottom);
      if (b.right == o.left && top < bottom) places.push_back({name + " right edge", {b.right, (top + bottom) / 2}});
      const LONG left = std::max(b.left, o.left);
      const LONG right = std::min(b.right, o.right);
      if (b.bottom == o.top && left < right)
        places.push_back({name + " bottom edge", {(left + right) / 2 + 3, b.bottom}});
    }
  }
  return places;
}

std::wstring TextOf(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return text;
}

TEST_F(MagnifierOnDesk, ShowsTheExactPictureOnEveryMonitorAcrossTheirEdgesAndBlackBesideThem) {
  for (const Place& place : PlacesToLook(monitors_)) ExpectDeskPictureAround(place.where, place.point);
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
