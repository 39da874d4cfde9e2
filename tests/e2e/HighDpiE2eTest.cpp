// The real glimmerlux.exe at a system DPI above 96 (WINE_DPI, see tests/e2e/CMakeLists.txt): the
// panel and its fonts scale and keep clear of each other, the width rule and the minimum size
// count in scaled units, the picture stays a copy of the desktop's physical pixels and the
// readouts stay right, and the Color Check window lays out without clipping. On a failure the
// whole desktop is saved beside the test's other pictures.
#include <gtest/gtest.h>
#include <windows.h>

#include <iostream>
#include <map>
#include <string>

#include "Commands.h"
#include "Desk.h"
#include "Desktop.h"
#include "Layout.h"
#include "MagnifierOnPattern.h"
#include "ReadoutTexts.h"
#include "fixture/TestPattern.h"
#include "main/win32/ControlIds.h"

namespace {

SIZE SizeOf(const RECT& r) { return {r.right - r.left, r.bottom - r.top}; }

// How many rows of the picture hold a pixel other than its most frequent colour: the height
// of the text drawn on a plain ground.
int InkRows(const Picture& picture) {
  std::map<uint32_t, int> counts;
  for (const uint32_t pixel : picture.pixels) ++counts[pixel];
  uint32_t ground = 0;
  int most = 0;
  for (const auto& [pixel, count] : counts) {
    if (count > most) {
      most = count;
      ground = pixel;
    }
  }
  int rows = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (picture.At(x, y) != ground) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

class ScaledDesk : public MagnifierOnPattern {
 protected:
  void SetUp() override {
    ASSERT_TRUE(IsTheIntendedDesk());
    dpi_ = static_cast<int>(IntendedDpi());
    ASSERT_GT(dpi_, 96) << "this test wants a scaled desk (WINE_DPI)";
    MagnifierOnPattern::SetUp();
    if (HasFatalFailure()) return;
    panel_ = GetDlgItem(window_, kPanel1Id);
    ASSERT_TRUE(panel_ != nullptr);
  }

  void TearDown() override {
    if (HasFailure()) {
      const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      std::cout << "the desktop at " << dpi_ << " DPI saved as "
                << SaveDesktopForPerson("e2e-" + std::string(test->name()) + "-desktop") << "\n";
    }
    MagnifierOnPattern::TearDown();
  }

  // Designed (96 DPI) pixels at this DPI, rounded as Windows' MulDiv does.
  int Scaled(int designed) const { return MulDiv(designed, dpi_, 96); }
  HWND Control(int id) const { return GetDlgItem(panel_, id); }

  int dpi_ = 96;
  HWND panel_ = nullptr;
};

TEST_F(ScaledDesk, PanelControlsAndFontsScaleAndNoneOverlaps) {
  EXPECT_EQ(static_cast<int>(GetDpiForWindow(window_)), dpi_);
  EXPECT_EQ(SizeOf(ScreenRectOfClient(panel_)).cy, Scaled(29));
  const SIZE close = SizeOf(ScreenRectOfClient(Control(kCloseButtonId)));
  EXPECT_EQ(close.cx, Scaled(25));
  EXPECT_EQ(close.cy, Scaled(25));
  EXPECT_EQ(LayoutProblems(panel_), "");

  // The colour readout's text, 12 pixels high at 96 DPI, is as much taller as the DPI says:
  // its ink (capitals to the comma's tail) spans 8 to 14 designed pixels.
  const POINT p = DesktopAt(0.4, 0.6);
  PointAt(p, SourceAround(p));
  ASSERT_FALSE(HasFatalFailure());
  HWND swatch = Control(kColorSwatchId);
  const std::wstring color = Widen(RgbText(test_pattern::PixelAt(p.x, p.y)));
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return TextOf(swatch) == color; })) << "the swatch never showed the color";
  Sleep(200);  // painted after its text was set
  const int ink = InkRows(GrabScreen(ScreenRectOfClient(swatch)));
  EXPECT_GE(ink, Scaled(8));
  EXPECT_LE(ink, Scaled(14));
}

TEST_F(ScaledDesk, WidthRuleAndMinimumSizeCountInScaledUnits) {
  // Outer widths in designed pixels, each just short of or at a control's threshold.
  const struct {
    int designedWidth;
    int control;
    bool shown;
  } cases[] = {
      {479, kPositionLabelId, false}, {480, kPositionLabelId, true}, {369, kColorSwatchId, false},
      {370, kColorSwatchId, true},    {199, kTypeButtonId, false},   {200, kTypeButtonId, true},
      {172, kOptionsButtonId, false}, {173, kOptionsButtonId, true},
  };
  RECT outer{};
  GetWindowRect(window_, &outer);
  for (const auto& c : cases) {
    SCOPED_TRACE("designed width " + std::to_string(c.designedWidth));
    const int width = Scaled(c.designedWidth);
    SetWindowPos(window_, nullptr, 0, 0, width, outer.bottom - outer.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(WaitUntil(kSettle, [&] { return (IsWindowVisible(Control(c.control)) != FALSE) == c.shown; }))
        << "control " << c.control << (c.shown ? " hidden" : " shown") << " at " << width << " pixels";
    EXPECT_EQ(LayoutProblems(panel_), "");
  }

  // Dragged by its corner far up and left, the window stops at the minimum size.
  ASSERT_TRUE(RunCommand(window_, "ShowHideTitlebar1"));
  SetWindowPos(window_, nullptr, 0, 0, Scaled(468), Scaled(400), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(MoveWindowTo(window_, {desktop_.left + 100, desktop_.top + 100}));
  GetWindowRect(window_, &outer);
  ASSERT_TRUE(MovePointerTo({outer.right - 2, outer.bottom - 2}));
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  constexpr int kSteps = 10;
  for (int step = 1; step <= kSteps; ++step) {
    ASSERT_TRUE(MovePointerTo({outer.right - 2 - (outer.right - outer.left) * step / kSteps,
                               outer.bottom - 2 - (outer.bottom - outer.top) * step / kSteps}));
    Sleep(30);
  }
  Sleep(200);
  SendMouse(MOUSEEVENTF_LEFTUP);
  RECT now{};
  WaitUntil(kSettle, [&] {
    GetWindowRect(window_, &now);
    return SizeOf(now).cx == Scaled(150) && SizeOf(now).cy == Scaled(150);
  });
  EXPECT_EQ(Describe(now), Describe(RECT{outer.left, outer.top, outer.left + Scaled(150), outer.top + Scaled(150)}));
}

TEST_F(ScaledDesk, ThePictureCopiesPhysicalPixelsAndTheReadoutsStayRight) {
  const POINT points[] = {DesktopAt(0.3, 0.35), DesktopAt(0.7, 0.2), {desktop_.left, desktop_.bottom - 1}};
  for (const POINT p : points) {
    ExpectPictureAround(p);
    const std::wstring position = Widen(PositionText(p));
    const std::wstring color = Widen(RgbText(test_pattern::PixelAt(p.x, p.y)));
    WaitUntil(kSettle, [&] {
      return TextOf(Control(kPositionLabelId)) == position && TextOf(Control(kColorSwatchId)) == color;
    });
    EXPECT_EQ(TextOf(Control(kPositionLabelId)), position);
    EXPECT_EQ(TextOf(Control(kColorSwatchId)), color);
  }
}

TEST_F(ScaledDesk, TheColorCheckWindowLaysOutWithoutClipping) {
  const POINT p = DesktopAt(0.5, 0.5);
  PointAt(p, SourceAround(p));
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(RunCommand(window_, "PickForegroundColor1"));
  ASSERT_TRUE(MovePointerTo({p.x + 40, p.y + 9}));
  ASSERT_TRUE(RunCommand(window_, "PickBackgroundColor1"));
  HWND check = nullptr;
  ASSERT_TRUE(WaitUntil(kSettle, [&] { return (check = FindProcessWindowOfClass(magnifier_.Id(), L"ColorReadout")); }))
      << "no Color Check window";
  const SIZE client = SizeOf(ScreenRectOfClient(check));
  EXPECT_EQ(client.cx, Scaled(340));
  EXPECT_EQ(client.cy, Scaled(150));
  EXPECT_EQ(LayoutProblems(check), "");
}

}  // namespace
