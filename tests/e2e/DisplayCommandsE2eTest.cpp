// The display commands of the real glimmerlux.exe, chosen by their shortcuts or from the menu,
// checked by what the view shows of the test pattern and where the window goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cwchar>
#include <initializer_list>
#include <optional>
#include <string>

#include "Commands.h"
#include "Desktop.h"
#include "ExpectedPicture.h"
#include "MagnifierOnPattern.h"
#include "Picture.h"
#include "fixture/CaretFixture.h"
#include "fixture/TestPattern.h"

namespace {

using namespace std::chrono_literals;

// Many ticks of the picture: a picture that is to stay has had every chance to change.
constexpr auto kHold = 1s;
constexpr auto kSettle = 5s;
constexpr int kZoom = 2;

uint32_t Inverted(uint32_t pixel) { return pixel ^ 0xFFFFFF; }

RECT PointRect(POINT p) { return {p.x, p.y, p.x + 1, p.y + 1}; }

std::string Hex(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%06X", static_cast<unsigned>(color));
  return text;
}

class PictureCommands : public MagnifierOnPattern {
 protected:
  // Points at `pointer` with the magnifier parked clear of what it shows; returns where the
  // tracked pixel lies in the capture.
  POINT TrackAt(POINT pointer) {
    const RECT source = SourceAround(pointer);
    PointAt(pointer, source);
    return {pointer.x - source.left, pointer.y - source.top};
  }
};

TEST_F(PictureCommands, CtrlAltIShowsEveryPixelWithItsColorsInverted) {
  const POINT p = DesktopAt(0.4, 0.35);
  TrackAt(p);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(ExpectView(expected::Framed(PatternAround(p)), false, "the pattern"));

  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_CONTROL, VK_MENU, 'I'});
  // The frame is drawn after the filter, so it stays silver.
  const Picture wanted =
      expected::Framed(PatternAround(p, [](int x, int y) { return Inverted(test_pattern::PixelAt(x, y)); }));
  ExpectView(wanted, false, "the pattern inverted");
}

TEST_F(PictureCommands, DrawCrosshairOutlinesTheMagnifiedTrackedPixel) {
  ASSERT_TRUE(RunCommand(window_, "DrawCrossHair1"));
  const POINT p = DesktopAt(0.4, 0.35);
  const POINT tracked = TrackAt(p);
  ASSERT_FALSE(HasFatalFailure());

  // The outline starts where the tracked pixel's 2 x 2 block does and ends where the next
  // block starts; without a grid every pixel of it is inverted once. With the 468 x 253 view
  // of a 96-DPI desktop the tracked pixel is (117, 63) of the capture, so the outline covers
  // view pixels (234, 126) to (236, 128).
  const char* const kOutline[] = {
      "XXX",
      "X.X",
      "XXX",
  };
  Picture wanted = PatternAround(p);
  for (int dy = 0; dy < 3; ++dy) {
    for (int dx = 0; dx < 3; ++dx) {
      uint32_t& pixel = wanted.At(kZoom * tracked.x + dx, kZoom * tracked.y + dy);
      if (kOutline[dy][dx] == 'X') pixel = Inverted(pixel);
    }
  }
  ExpectView(expected::Framed(wanted), false, "the crosshair around the tracked pixel " + Describe(tracked));
}

// The grid's pen: black over light pixels, white over dark ones (luminance 0.30 R + 0.59 G +
// 0.11 B against half-scale).
uint32_t GridPen(uint32_t pixel) {
  const uint32_t r = pixel >> 16 & 0xFF;
  const uint32_t g = pixel >> 8 & 0xFF;
  const uint32_t b = pixel & 0xFF;
  return 30 * r + 59 * g + 11 * b >= 12800 ? 0x000000 : 0xFFFFFF;
}

TEST_F(PictureCommands, TenPixelGridDrawsALineEveryTwentyViewPixels) {
  ASSERT_TRUE(RunCommand(window_, "N10pixels1"));
  const POINT p = DesktopAt(0.55, 0.5);
  TrackAt(p);
  ASSERT_FALSE(HasFatalFailure());

  // Lines lie on source columns and rows 10 apart, shifted so that they run through the
  // view's middle: across every row at y = H/2 + 20k, down every column at x = W/2 + 20k.
  const SIZE view = ViewSize();
  const auto onLine = [](int at, int middle) { return ((at - middle) % 20 + 20) % 20 == 0; };
  Picture wanted = PatternAround(p);
  int lines = 0;
  for (int y = 0; y < view.cy; ++y) {
    for (int x = 0; x < view.cx; ++x) {
      if (onLine(x, view.cx / 2) || onLine(y, view.cy / 2)) wanted.At(x, y) = GridPen(wanted.At(x, y));
    }
    lines += onLine(y, view.cy / 2);
  }
  ASSERT_GE(lines, 10) << "a view this small shows too little of the grid";
  ExpectView(expected::Framed(wanted), false, "a grid every 20 pixels through the middle");
}

TEST_F(PictureCommands, CtrlAltHMirrorsThePictureLeftForRight) {
  const POINT p = DesktopAt(0.3, 0.6);
  TrackAt(p);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_CONTROL, VK_MENU, 'H'});
  ExpectView(expected::Framed(expected::MirroredLeftRight(PatternAround(p))), false, "the pattern mirrored");
}

TEST_F(PictureCommands, ShowCursorDrawsTheCursorAtItsHotSpotAndNothingElsewhere) {
  // Under Wine the cursor the view is given is the foreground thread's, and the pattern hides
  // the pointer over itself: the magnifier in front shows its own arrow once the pointer has
  // been over its window.
  const RECT window = ScreenRectOfClient(window_);
  ASSERT_TRUE(MovePointerTo({(window.left + window.right) / 2, (window.top + window.bottom) / 2}));
  ASSERT_TRUE(MakeForeground(window_));
  ASSERT_TRUE(RunCommand(window_, "Showcursor1"));
  ICONINFO arrow{};
  ASSERT_TRUE(GetIconInfo(LoadCursorW(nullptr, IDC_ARROW), &arrow));
  DeleteObject(arrow.hbmColor);
  DeleteObject(arrow.hbmMask);
  const POINT hotSpot{static_cast<LONG>(arrow.xHotspot), static_cast<LONG>(arrow.yHotspot)};

  const POINT p = DesktopAt(0.45, 0.4);
  const POINT tracked = TrackAt(p);
  ASSERT_FALSE(HasFatalFailure());

  // The cursor image, stretched to 64 x 64, has its top-left corner one pixel right of and below
  // where the doubled hot spot would put it; the hot spot's own pixel lands at 2 * tracked + 1.
  const RECT image{kZoom * (tracked.x - hotSpot.x) + 1, kZoom * (tracked.y - hotSpot.y) + 1,
                   kZoom * (tracked.x - hotSpot.x) + 1 + 32 * kZoom, kZoom * (tracked.y - hotSpot.y) + 1 + 32 * kZoom};
  const POINT hot{kZoom * tracked.x + 1, kZoom * tracked.y + 1};
  const Picture pattern = expected::Framed(PatternAround(p));
  std::string account;
  Picture shown;
  WaitUntil(kPictureTimeout, [&] {
    shown = GrabScreen(ScreenRectOfClient(view_));
    account.clear();
    if (shown.width != pattern.width || shown.height != pattern.height) {
      account = "the view changed size";
      return false;
    }
    if (shown.At(hot.x, hot.y) == pattern.At(hot.x, hot.y)) {
      account = "the hot spot at " + Describe(hot) + " shows the pattern";
    }
    int strays = 0;
    for (int y = 0; y < shown.height; ++y) {
      for (int x = 0; x < shown.width; ++x) {
        const POINT at{x, y};
        if (PtInRect(&image, at) || shown.At(x, y) == pattern.At(x, y)) continue;
        if (++strays <= 3) account += "\n  " + Describe(at) + " outside the cursor shows " + Hex(shown.At(x, y));
      }
    }
    return account.empty();
  });
  if (!account.empty()) {
    ADD_FAILURE() << "cursor image " << Describe(image) << ": " << account << "\n  shown picture saved as "
                  << SaveForPerson(shown);
  }
}

class TrackingCommands : public MagnifierOnPattern {
 protected:
  // Parks the magnifier clear of the pictures around both points and waits for the one at
  // `first` to be shown, the pointer there.
  void ShowFirstOfTwo(POINT first, POINT second, const Picture& shown) {
    ASSERT_TRUE(MoveMagnifierClearOf({SourceAround(first), SourceAround(second), PointRect(first), PointRect(second)}));
    ASSERT_TRUE(MovePointerTo(first));
    ASSERT_TRUE(ExpectView(shown, false, "the pattern around " + Describe(first)));
  }

  // Presses the keys with the magnifier in front and returns once it has handled them: keys
  // are handled in order, so a copy to the clipboard pressed after them lands after them.
  void PressKeysAndWait(std::initializer_list<WORD> keys) {
    ASSERT_TRUE(MakeForeground(window_));
    ASSERT_TRUE(EmptyTheClipboard());
    PressKeys(keys);
    PressKeys({VK_CONTROL, VK_MENU, 'C'});
    ASSERT_TRUE(WaitUntil(kSettle, [] { return ClipboardBitmap().has_value(); })) << "Ctrl+Alt+C copied nothing";
  }
};

TEST_F(TrackingCommands, CtrlAltFHoldsThePictureOnThePointWhileThePointerMoves) {
  const POINT p = DesktopAt(0.3, 0.3);
  const POINT q = DesktopAt(0.65, 0.7);
  const Picture atP = expected::Framed(PatternAround(p));
  ShowFirstOfTwo(p, q, atP);
  ASSERT_FALSE(HasFatalFailure());

  // The fixed point is taken before the pointer moves on.
  PressKeysAndWait({VK_CONTROL, VK_MENU, 'F'});
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(MovePointerTo(q));
  ExpectViewKeeps(atP, kHold, "the fixed point " + Describe(p));

  // Off again: the picture follows the pointer once more.
  PressKeys({VK_CONTROL, VK_MENU, 'F'});
  ExpectView(expected::Framed(PatternAround(q)), false, "the pattern around the pointer " + Describe(q));
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

TEST_F(TrackingCommands, FollowCaretCentresThePictureOnTheCaretOfTheFocusedEdit) {
  ChildProcess fixture(L"caret_fixture.exe", L"");
  ASSERT_TRUE(fixture.Started()) << "caret_fixture.exe did not start";
  HWND editor = nullptr;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (editor = FindWindowW(caret_fixture::kClassName, nullptr)); }));
  ASSERT_TRUE(MakeForeground(editor));
  std::optional<POINT> caret;
  ASSERT_TRUE(WaitUntil(kStartTimeout, [&] { return (caret = ReportedCaret(editor)).has_value(); }))
      << "the fixture never placed its caret";

  // The pointer rests far from the caret, over the pattern.
  const POINT pointer = DesktopAt(0.85, 0.15);
  const RECT source = SourceAround(*caret);
  RECT editorRect{};
  GetWindowRect(editor, &editorRect);
  ASSERT_TRUE(MoveMagnifierClearOf({source, editorRect, PointRect(pointer)}));
  ASSERT_TRUE(MovePointerTo(pointer));
  ASSERT_TRUE(RunCommand(window_, "FollowCaretPosition1"));
  ASSERT_TRUE(MakeForeground(editor));

  // What the screen shows around the caret, doubled; the caret blinks, so its own pixels may
  // show either way.
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

TEST_F(TrackingCommands, HoverAvoidanceMovesTheWindowToTheFirstFreeSideUnlessCtrlIsHeld) {
  ASSERT_TRUE(MakeForeground(window_));
  PressKeys({VK_CONTROL, VK_MENU, 'P'});
  RECT outer{};
  GetWindowRect(window_, &outer);
  const LONG w = outer.right - outer.left;
  const LONG h = outer.bottom - outer.top;
  const RECT& d = desktop_;
  // The window keeps 150 pixels from the pointer: right of it, else left, else above, else
  // below, each only where the whole window stays on the screen.
  const struct {
    const char* side;
    POINT window;
    POINT pointer;
    POINT placed;
  } cases[] = {
      {"right", {d.left + 100, d.top + 300}, {d.left + 150, d.top + 400}, {d.left + 300, d.top + 400 - h / 2}},
      {"left, the right side being off the screen",
       {d.right - w - 20, d.top + 300},
       {d.right - 100, d.top + 400},
       {d.right - 250 - w, d.top + 400 - h / 2}},
      {"above, both sides reaching below the screen",
       {d.left + 640 - w / 2, d.bottom - h},
       {d.left + 640, d.bottom - 24},
       {d.left + 640 - w / 2, d.bottom - 174 - h}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.side);
    ASSERT_TRUE(MovePointerTo({d.left, d.top}));
    ASSERT_TRUE(MoveWindowTo(window_, c.window));
    ASSERT_TRUE(MovePointerTo(c.pointer));
    RECT now{};
    WaitUntil(kSettle, [&] {
      GetWindowRect(window_, &now);
      return now.left == c.placed.x && now.top == c.placed.y;
    });
    EXPECT_EQ(Describe(POINT{now.left, now.top}), Describe(c.placed)) << "from " << Describe(c.window);
  }

  // With Ctrl held the window lets the pointer rest on it. Wine drops a key held through
  // SendInput when the pointer enters another X window (it reads the modifiers back from X,
  // which never saw the key), so the pointer goes over the window first, with the avoidance
  // off, and Ctrl goes down after that.
  ASSERT_TRUE(RunCommand(window_, "FlipwhenHovered1"));
  ASSERT_TRUE(MovePointerTo({d.left, d.top}));
  ASSERT_TRUE(MoveWindowTo(window_, {d.left + 300, d.top + 300}));
  ASSERT_TRUE(MakeForeground(window_));
  const POINT inside{d.left + 300 + w / 2, d.top + 300 + h / 2};
  ASSERT_TRUE(MovePointerTo(inside));
  {
    const HeldKey ctrl(VK_CONTROL);
    ASSERT_TRUE(WaitUntil(kSettle, [] { return GetAsyncKeyState(VK_CONTROL) < 0; }));
    ASSERT_TRUE(RunCommand(window_, "FlipwhenHovered1"));
    const auto until = std::chrono::steady_clock::now() + kHold;
    while (std::chrono::steady_clock::now() < until) {
      GetWindowRect(window_, &outer);
      ASSERT_TRUE(PtInRect(&outer, inside)) << "moved to " << Describe(outer) << " with Ctrl held";
      Sleep(40);
    }
  }
  EXPECT_TRUE(WaitUntil(kSettle, [&] {
    GetWindowRect(window_, &outer);
    return !PtInRect(&outer, inside);
  })) << "the window stayed under the pointer after Ctrl went up";
}

TEST_F(TrackingCommands, SpaceStopsThePictureAndSpaceAgainRestartsIt) {
  const POINT p = DesktopAt(0.3, 0.3);
  const POINT q = DesktopAt(0.65, 0.7);
  const Picture atP = expected::Framed(PatternAround(p));
  ShowFirstOfTwo(p, q, atP);
  ASSERT_FALSE(HasFatalFailure());

  // Stopped before the pointer moves on.
  PressKeysAndWait({VK_SPACE});
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(MovePointerTo(q));
  ExpectViewKeeps(atP, kHold, "the stopped picture around " + Describe(p));

  PressKeys({VK_SPACE});
  ExpectView(expected::Framed(PatternAround(q)), false, "the pattern around the pointer " + Describe(q));
}

}  // namespace
