// The window of the real glimmerlux.exe on a desk with a monitor left of the primary and a part
// of the desktop that no monitor shows (below the left monitor): wherever the window goes, it
// goes onto a monitor.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <optional>
#include <string>

#include "Commands.h"
#include "Desk.h"
#include "Desktop.h"
#include "ExpectedPicture.h"
#include "MagnifierOnDesk.h"
#include "fixture/CaretFixture.h"

namespace {

using namespace std::chrono_literals;

constexpr auto kSettle = 5s;

class WindowOnDesk : public MagnifierOnDesk {
 protected:
  void SetUp() override {
    MagnifierOnDesk::SetUp();
    if (HasFatalFailure()) return;
    const RECT& left = Secondary().bounds;
    const RECT& primary = Primary().bounds;
    ASSERT_TRUE(left.right == primary.left && left.bottom < primary.bottom)
        << "these tests want a monitor left of the primary and less high: " << Describe(monitors_);
  }

  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(window_, &r);
    return r;
  }

  // Puts the window there with nothing of it under the pointer, which waits in `rest`.
  void PlaceWindow(POINT topLeft, POINT rest) {
    ASSERT_TRUE(MovePointerTo(rest));
    ASSERT_TRUE(MoveWindowTo(window_, topLeft)) << "the window did not move to " << Describe(topLeft);
  }

  // Presses the left button on the picture and moves the pointer by `by` in small steps, as a
  // hand does, then lets go.
  void DragThePicture(POINT by) {
    const RECT view = ScreenRectOfClient(view_);
    const POINT start{(view.left + view.right) / 2, (view.top + view.bottom) / 2};
    ASSERT_TRUE(MovePointerTo(start));
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    constexpr int kSteps = 8;
    for (int step = 1; step <= kSteps; ++step) {
      ASSERT_TRUE(MovePointerTo({start.x + by.x * step / kSteps, start.y + by.y * step / kSteps}));
      Sleep(30);
    }
    Sleep(200);
    SendMouse(MOUSEEVENTF_LEFTUP);
  }

  // Waits until the window is at `wanted`; a failure says where it is instead.
  void ExpectWindowAt(const RECT& wanted, const std::string& what) {
    WaitUntil(kSettle, [&] {
      const RECT now = WindowRect();
      return EqualRect(&wanted, &now) != FALSE;
    });
    EXPECT_EQ(Describe(WindowRect()), Describe(wanted)) << what;
  }
};

TEST_F(WindowOnDesk, HoverAvoidanceMovesTheWindowOntoAMonitorNeverIntoTheGap) {
  // An odd size, so that half the window rounds down.
  SetWindowPos(window_, nullptr, 0, 0, 477, 311, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil(kSettle,
                        [&] {
                          const RECT r = WindowRect();
                          return r.right - r.left == 477 && r.bottom - r.top == 311;
                        }))
      << "the window is " << Describe(WindowRect());
  const LONG w = 477;
  const LONG h = 311;
  ASSERT_TRUE(RunCommand(window_, "FlipwhenHovered1"));
  const RECT& left = Secondary().bounds;
  const RECT& primary = Primary().bounds;
  const POINT centredOnLeft{left.left + (left.right - left.left - w) / 2, left.top + (left.bottom - left.top - h) / 2};
  const POINT centredOnPrimary{primary.left + (primary.right - primary.left - w) / 2,
                               primary.top + (primary.bottom - primary.top - h) / 2};
  const struct {
    const char* what;
    POINT pointer;
    std::optional<POINT> placed;  // none: anywhere wholly on one monitor
  } cases[] = {
      // Right of the pointer the window's lower half reaches the left monitor's bottom exactly,
      // and the odd height one pixel further, into the gap.
      {"right of the pointer would reach into the gap below the left monitor",
       {left.left + 200, left.bottom - h / 2},
       std::nullopt},
      {"no room beside the pointer on the primary: centred on the left monitor",
       {primary.left + 30, primary.bottom - 30},
       centredOnLeft},
      {"no room beside the pointer on the left monitor: centred on the primary",
       {left.left + 30, left.top + 30},
       centredOnPrimary},
      {"below the pointer on the left monitor", {left.left + 400, left.top + 60}, POINT{left.left + 400 - w / 2, 210}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.what) + ", pointer at " + Describe(c.pointer));
    // The window goes under the pointer's place first, held on the pointer's monitor.
    const RECT& monitor = PtInRect(&left, c.pointer) ? left : primary;
    const LONG x = std::max(monitor.left, std::min(c.pointer.x - w / 2, monitor.right - w));
    const LONG y = std::max(monitor.top, std::min(c.pointer.y - h / 2, monitor.bottom - h));
    PlaceWindow({x, y}, {primary.right - 1, primary.top});
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(MovePointerTo(c.pointer));
    RECT now{};
    ASSERT_TRUE(WaitUntil(kSettle,
                          [&] {
                            now = WindowRect();
                            return !PtInRect(&now, c.pointer);
                          }))
        << "the window stayed under the pointer at " << Describe(now);
    // Two moves, left then top: the second may still be on its way.
    WaitUntil(1s, [&] { return (now = WindowRect(), MonitorHolding(monitors_, now) != nullptr); });
    EXPECT_TRUE(MonitorHolding(monitors_, now) != nullptr) << "moved to " << Describe(now) << ", on no one monitor";
    if (c.placed) {
      EXPECT_EQ(Describe(POINT{now.left, now.top}), Describe(*c.placed));
    }
  }
}

TEST_F(WindowOnDesk, DraggedNearTheEdgeOfItsMonitorsWorkAreaItSnapsToIt) {
  const RECT& left = Secondary().bounds;
  const RECT& primary = Primary().bounds;
  const RECT start = WindowRect();
  const LONG w = start.right - start.left;
  const LONG h = start.bottom - start.top;
  // Without a task bar the work area is the whole monitor. Each drag ends 6 to 8 pixels short
  // of an edge; the left monitor's bottom is not the desktop's.
  const struct {
    const char* what;
    POINT from;
    POINT by;
    POINT snapped;
  } cases[] = {
      {"the left monitor's bottom, above the gap",
       {left.left + 300, left.bottom - h - 30},
       {0, 24},
       {left.left + 300, left.bottom - h}},
      {"the left monitor's left edge", {left.left + 40, left.top + 300}, {-33, 0}, {left.left, left.top + 300}},
      {"the primary's bottom, lower than the left monitor's",
       {primary.left + 300, primary.bottom - h - 40},
       {0, 32},
       {primary.left + 300, primary.bottom - h}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlaceWindow(c.from, {primary.right - 1, primary.top});
    ASSERT_FALSE(HasFatalFailure());
    DragThePicture(c.by);
    ASSERT_FALSE(HasFatalFailure());
    ExpectWindowAt({c.snapped.x, c.snapped.y, c.snapped.x + w, c.snapped.y + h}, "after the drag");
  }
}

TEST_F(WindowOnDesk, AStoredPlacementOnAMonitorThatIsGoneOpensOnTheNearest) {
  const RECT& left = Secondary().bounds;
  magnifier_ = ChildProcess();
  // Saved with another monitor further left: 476 x 311 at x = left - 720.
  const RECT stored{left.left - 720, 300, left.left - 244, 611};
  HDC screen = GetDC(nullptr);
  const int ppi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  const std::wstring norm = std::to_wstring(stored.left) + L"," + std::to_wstring(stored.top) + L"," +
                            std::to_wstring(stored.right) + L"," + std::to_wstring(stored.bottom);
  StoreSetting(kSettingsKey, L"NormPos", norm.c_str());
  StoreSetting(kSettingsKey, L"PixelsPerInch", std::to_wstring(ppi).c_str());
  std::string why;
  window_ = StartMagnifier(magnifier_, L"", why);
  ASSERT_TRUE(window_ != nullptr) << why;
  ExpectWindowAt({left.left, 300, left.left + 476, 611}, "stored at " + Describe(stored));
}

TEST_F(WindowOnDesk, RemovingTheMonitorItIsOnBringsTheWindowBack) {
  const RECT& left = Secondary().bounds;
  const RECT& primary = Primary().bounds;
  const RECT start = WindowRect();
  const LONG w = start.right - start.left;
  const LONG h = start.bottom - start.top;
  PlaceWindow({left.left + 300, left.top + 300}, {primary.right - 1, primary.top});
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(DetachMonitor(left, {{primary, true}}));
  ExpectWindowAt({primary.left, left.top + 300, primary.left + w, left.top + 300 + h},
                 "once the left monitor was switched off");
}

TEST_F(WindowOnDesk, SetDefaultWindowSizeGoesToThePrimarysTopLeft) {
  const RECT& left = Secondary().bounds;
  PlaceWindow({left.left + 200, left.top + 200}, {Primary().bounds.right - 1, 0});
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(RunCommand(window_, "Setdefaultwindowsize1"));
  ExpectWindowAt({0, 0, 480, 320}, "after Set Default Window Size");
}

// The fixture's caret as its caption reports it.
std::optional<POINT> ReportedCaret(HWND fixture) {
  wchar_t caption[64] = {};
  GetWindowTextW(fixture, caption, 64);
  long x = 0;
  long y = 0;
  if (swscanf(caption, caret_fixture::kCaptionFormat, &x, &y) != 2) return std::nullopt;
  return POINT{x, y};
}

TEST_F(WindowOnDesk, FollowsACaretOnTheLeftMonitor) {
  const RECT& left = Secondary().bounds;
  const POINT asked{left.left + 300, left.top + 200};
  ChildProcess fixture(L"caret_fixture.exe", std::to_wstring(asked.x) + L" " + std::to_wstring(asked.y));
  ASSERT_TRUE(fixture.Started()) << "caret_fixture.exe did not start";
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (editor = FindWindowW(caret_fixture::kClassName, nullptr)); }));
  RECT editorRect{};
  GetWindowRect(editor, &editorRect);
  ASSERT_EQ(Describe(POINT{editorRect.left, editorRect.top}), Describe(asked)) << "the fixture landed elsewhere";
  ASSERT_TRUE(MakeForeground(editor));
  std::optional<POINT> caret;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (caret = ReportedCaret(editor)).has_value(); }))
      << "the fixture never placed its caret";
  ASSERT_TRUE(PtInRect(&left, *caret)) << "caret at " << Describe(*caret);

  const POINT pointer{Primary().bounds.right - 200, Primary().bounds.top + 150};
  const RECT source = SourceAround(*caret);
  ASSERT_TRUE(MoveMagnifierClearOf({source, editorRect, {pointer.x, pointer.y, pointer.x + 1, pointer.y + 1}}));
  ASSERT_TRUE(MovePointerTo(pointer));
  ASSERT_TRUE(RunCommand(window_, "FollowCaretPosition1"));
  ASSERT_TRUE(MakeForeground(editor));

  // The caret blinks, so its own pixels may show either way.
  const RECT blinking{caret->x - 2, caret->y - 2, caret->x + 4, caret->y + 32};
  const SIZE view = ViewSize();
  ExpectView(
      [&] {
        const Picture screen = GrabScreen(source);
        return expected::Framed(expected::ViewPicture(source, desktop_, view.cx, view.cy, [&](int x, int y) {
          const POINT at{x, y};
          return PtInRect(&blinking, at) ? expected::kAnyColor : screen.At(x - source.left, y - source.top);
        }));
      },
      false, "the desktop around the caret " + Describe(*caret));
}

}  // namespace
