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
#include "Layout.h"
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

TEST_F(MagnifierOnDesk, ReadoutsShowTheColorAndTheSignedPositionOnEveryMonitor) {
  HWND panel = GetDlgItem(window_, kPanel1Id);
  ASSERT_TRUE(panel != nullptr);
  for (const DeskMonitor& m : monitors_) {
    const RECT& b = m.bounds;
    const POINT p{b.left + (b.right - b.left) * 2 / 3 - 11, b.top + (b.bottom - b.top) * 2 / 3 + 13};
    SCOPED_TRACE("monitor " + Describe(b) + ", pointer at " + Describe(p));
    PointAt(p, SourceAround(p));
    if (HasFatalFailure()) return;
    const std::string position = PositionText(p);
    const std::string color = RgbText(test_pattern::PixelAt(p.x, p.y));
    const auto shows = [&](int id, const std::string& text) {
      WaitUntil(kPictureTimeout,
                [&] { return TextOf(GetDlgItem(panel, id)) == std::wstring(text.begin(), text.end()); });
      EXPECT_EQ(TextOf(GetDlgItem(panel, id)), std::wstring(text.begin(), text.end()));
    };
    shows(kPositionLabelId, position);
    shows(kColorSwatchId, color);
  }

  // The longest position the desk has, in the narrowest window that shows it, is shown whole:
  // the coordinates alone when the caption does not fit beside them.
  SetWindowPos(window_, nullptr, 0, 0, 480, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(
      WaitUntil(kPictureTimeout, [&] { return IsWindowVisible(GetDlgItem(panel, kPositionLabelId)) != FALSE; }));
  POINT longest{};
  for (const DeskMonitor& m : monitors_) {
    for (const POINT corner : {POINT{m.bounds.left, m.bounds.bottom - 1}, POINT{m.bounds.right - 1, m.bounds.top}}) {
      if (PositionText(corner).size() > PositionText(longest).size()) longest = corner;
    }
  }
  PointAt(longest, SourceAround(longest));
  ASSERT_FALSE(HasFatalFailure());
  const std::string full = PositionText(longest);
  const std::string numbers = std::to_string(longest.x) + ", " + std::to_string(longest.y);
  const auto label = [&] { return TextOf(GetDlgItem(panel, kPositionLabelId)); };
  WaitUntil(kPictureTimeout, [&] {
    return label() == std::wstring(full.begin(), full.end()) || label() == std::wstring(numbers.begin(), numbers.end());
  });
  const std::wstring shown = label();
  EXPECT_TRUE(shown == std::wstring(full.begin(), full.end()) || shown == std::wstring(numbers.begin(), numbers.end()))
      << std::string(shown.begin(), shown.end());
  EXPECT_EQ(LayoutProblems(panel), "") << full;
}

}  // namespace
