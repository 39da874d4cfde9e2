#include "MagnifierOnPattern.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

#include "Commands.h"
#include "Desk.h"
#include "fixture/TestPattern.h"

namespace {

bool ShowsPattern(const RECT& area) {
  const Picture shown = GrabScreen(area);
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) != test_pattern::PixelAt(area.left + x, area.top + y)) return false;
    }
  }
  return true;
}

}  // namespace

void MagnifierOnPattern::SetUp() {
  desktop_ = VirtualScreen();
  // The pointer waits in a corner so that it never passes over the magnifier on its way.
  ASSERT_TRUE(MovePointerTo({desktop_.left, desktop_.bottom - 1}));

  pattern_ = ChildProcess(L"test_pattern.exe", L"");
  ASSERT_TRUE(pattern_.Started()) << "test_pattern.exe did not start";
  const LONG midX = (desktop_.left + desktop_.right) / 2;
  const LONG midY = (desktop_.top + desktop_.bottom) / 2;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] {
    return ShowsPattern({desktop_.left, desktop_.top, desktop_.left + 16, desktop_.top + 16}) &&
           ShowsPattern({midX, midY, midX + 16, midY + 16}) &&
           ShowsPattern({desktop_.right - 16, desktop_.bottom - 16, desktop_.right, desktop_.bottom});
  })) << "the test pattern never covered the desktop";

  // A first run, with the cursor image left out of the picture: the pattern is then the
  // only thing the view can show.
  ForgetSettings(kSettingsKey);
  StoreSetting(kSettingsKey, L"ShowCursor1_Checked", L"False");
  std::string why;
  window_ = StartMagnifier(magnifier_, L"", why);
  ASSERT_TRUE(window_ != nullptr) << why;
  // The magnifier's tray icon brought it up; the corners must show the pattern alone.
  HideWineSystemTray();
  view_ = ChildWindowFromPointEx(window_, {1, 1}, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
  ASSERT_TRUE(view_ != nullptr && view_ != window_) << "the window has no view in its top-left corner";
}

void MagnifierOnPattern::TearDown() { ForgetSettings(kSettingsKey); }

SIZE MagnifierOnPattern::ViewSize() const {
  RECT client{};
  GetClientRect(view_, &client);
  return {client.right, client.bottom};
}

POINT MagnifierOnPattern::HalfSource() const {
  const SIZE view = ViewSize();
  return {static_cast<LONG>(std::nearbyint(view.cx / expected::kZoom)) / 2,
          static_cast<LONG>(std::nearbyint(view.cy / expected::kZoom)) / 2};
}

RECT MagnifierOnPattern::SourceAround(POINT pointer) const {
  const SIZE view = ViewSize();
  return expected::SourceRect(pointer, desktop_, view.cx, view.cy);
}

Picture MagnifierOnPattern::PatternAround(POINT pointer, const expected::DesktopColor& colorAt) const {
  const SIZE view = ViewSize();
  return expected::ViewPicture(SourceAround(pointer), desktop_, view.cx, view.cy, colorAt);
}

POINT MagnifierOnPattern::DesktopAt(double across, double down) const {
  return {desktop_.left + static_cast<LONG>((desktop_.right - desktop_.left) * across),
          desktop_.top + static_cast<LONG>((desktop_.bottom - desktop_.top) * down)};
}

bool MagnifierOnPattern::MoveMagnifierClearOf(const RECT& source, POINT pointer) {
  return MoveMagnifierClearOf({source, {pointer.x, pointer.y, pointer.x + 1, pointer.y + 1}});
}

bool MagnifierOnPattern::MoveMagnifierClearOf(std::initializer_list<RECT> areas) {
  RECT window{};
  GetWindowRect(window_, &window);
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  // The corners of every monitor, the primary's first: never a corner of the desktop that no
  // monitor shows, where the window could not be reached.
  std::vector<DeskMonitor> monitors = ReportedMonitors();
  std::stable_partition(monitors.begin(), monitors.end(), [](const DeskMonitor& m) { return m.primary; });
  for (const DeskMonitor& monitor : monitors) {
    const RECT& m = monitor.bounds;
    const POINT corners[] = {
        {m.right - width, m.bottom - height}, {m.left, m.top}, {m.right - width, m.top}, {m.left, m.bottom - height}};
    for (const POINT corner : corners) {
      const RECT placed{corner.x, corner.y, corner.x + width, corner.y + height};
      if (std::none_of(areas.begin(), areas.end(), [&](const RECT& area) { return Intersect(placed, area); })) {
        return MoveWindowTo(window_, corner);
      }
    }
  }
  return false;
}

void MagnifierOnPattern::PointAt(POINT pointer, const RECT& source) {
  ASSERT_TRUE(MoveMagnifierClearOf(source, pointer)) << "no room for the magnifier beside " << Describe(source);
  ASSERT_TRUE(MovePointerTo(pointer)) << "the pointer did not move to " << Describe(pointer);
}

bool MagnifierOnPattern::ExpectView(const Picture& wanted, bool frameAllowed, const std::string& what) {
  return ExpectView([&] { return wanted; }, frameAllowed, what);
}

bool MagnifierOnPattern::ExpectView(const std::function<Picture()>& wanted, bool frameAllowed,
                                    const std::string& what) {
  Picture shown;
  std::string differences;
  WaitUntil(kPictureTimeout, [&] {
    shown = GrabScreen(ScreenRectOfClient(view_));
    differences = expected::Differences(shown, wanted(), frameAllowed);
    return differences.empty();
  });
  if (differences.empty()) return true;
  ADD_FAILURE() << "the view does not show " << what << ": " << differences << "\n  shown picture saved as "
                << SaveForPerson(shown);
  return false;
}

bool MagnifierOnPattern::ExpectViewKeeps(const Picture& wanted, std::chrono::milliseconds period,
                                         const std::string& what) {
  const auto until = std::chrono::steady_clock::now() + period;
  do {
    const Picture shown = GrabScreen(ScreenRectOfClient(view_));
    const std::string differences = expected::Differences(shown, wanted, false);
    if (!differences.empty()) {
      ADD_FAILURE() << "the view stopped showing " << what << ": " << differences << "\n  shown picture saved as "
                    << SaveForPerson(shown);
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
  } while (std::chrono::steady_clock::now() < until);
  return true;
}

void MagnifierOnPattern::ExpectPictureAround(POINT pointer) {
  SCOPED_TRACE("pointer at " + Describe(pointer));
  const RECT source = SourceAround(pointer);
  PointAt(pointer, source);
  if (HasFatalFailure()) return;
  ExpectView(PatternAround(pointer), true, "desktop " + Describe(source) + " doubled");
}

std::string MagnifierOnPattern::SaveForPerson(const Picture& picture) {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::string name = std::string("e2e-") + test->name() + "-" + std::to_string(++saved_) + ".bmp";
  SaveBmp(picture, std::wstring(name.begin(), name.end()));
  char full[MAX_PATH] = {};
  GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
  return full;
}
