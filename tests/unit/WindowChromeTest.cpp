#include <gtest/gtest.h>

#include "fake/FakePlatform.h"
#include "main/MainMenu.h"
#include "main/PanelLayout.h"
#include "main/WindowChrome.h"
#include "main/fmMagnifier.h"

namespace {

constexpr WindowId kMainWindow = 100;
// WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, as the window asks to be created.
constexpr uint32_t kOverlappedWindow = 0x02CF0000u;

struct ChromeFixture : ::testing::Test {
  FakePlatform platform;
  Tfrmmain form{platform};

  ChromeFixture() {
    form.AttachWindow(kMainWindow);
    platform.frame.styles[kMainWindow] = CreateParams(kOverlappedWindow);
    platform.windows.windowRects[kMainWindow] = {100, 50, 576, 390};
  }
  void Choose(const char* name) {
    ASSERT_TRUE(RunMenuEntry(form, mnuMainEntries(), IndexOfMenuEntry(mnuMainEntries(), name))) << name;
  }
  uint32_t Style() { return platform.frame.styles[kMainWindow]; }
};

TEST(WindowChromeStyles, CreatedAsAPopUpWithoutCaptionButWithItsSizingFrame) {
  // Clearing the dialog frame alone takes the caption away: a caption is border plus dialog frame.
  EXPECT_EQ(CreateParams(kOverlappedWindow), 0x82CF0000u & ~0x00400000u);
  EXPECT_EQ(CreateParams(kOverlappedWindow) & 0x00040000u, 0x00040000u) << "sizing frame stays";
  EXPECT_EQ(CreateParams(0), 0x80000000u);
}

TEST_F(ChromeFixture, FreshShowHidesTheTitleBarAndFramesThePictureInSilver) {
  form.FormShow();
  EXPECT_EQ(Style() & kTitleBarStyles, 0u);
  EXPECT_EQ(Style() & 0x80000000u, 0x80000000u);
  EXPECT_EQ(form.imageview1().BorderColor(), clSilver);
  EXPECT_FALSE(form.chrome.TitleShown());
  EXPECT_EQ(platform.frame.opacity[kMainWindow], 255) << "layered and fully opaque from the first show";
}

TEST_F(ChromeFixture, DoubleClickAndMenuItemToggleTheTitleBarAlike) {
  form.FormShow();
  const uint32_t hidden = Style();
  const int frames = platform.frame.framesChanged;
  form.imageview1().OnDblClick(&form.imageview1());
  EXPECT_EQ(Style(), hidden | kTitleBarStyles);
  EXPECT_EQ(form.imageview1().BorderColor(), 0x008000u);
  EXPECT_TRUE(form.chrome.TitleShown());
  EXPECT_EQ(platform.frame.framesChanged, frames + 1) << "the frame is recomputed in place";
  Choose("ShowHideTitlebar1");
  EXPECT_EQ(Style(), hidden);
  EXPECT_FALSE(form.chrome.TitleShown());
  EXPECT_EQ(form.imageview1().BorderColor(), clSilver);
}

TEST_F(ChromeFixture, TransparencyUsesTheLowByteAndSwitchesOffCleanly) {
  form.FormShow();
  Choose("MakeWindowTransparent1");
  EXPECT_EQ(platform.frame.opacity[kMainWindow], 160);

  form.chrome.Transparency = 300;
  form.SetTransparency();
  EXPECT_EQ(platform.frame.opacity[kMainWindow], 44);

  Choose("MakeWindowTransparent1");
  EXPECT_EQ(platform.frame.exStyles[kMainWindow] & kWsExLayered, 0u);
  EXPECT_EQ(platform.frame.fullRedraws, 1);
  // Already off: nothing changes, and the window keeps what the show gave it.
  platform.frame.SetLayeredOpacity(kMainWindow, 255);
  form.SetTransparency();
  EXPECT_EQ(platform.frame.exStyles[kMainWindow] & kWsExLayered, kWsExLayered);
  EXPECT_EQ(platform.frame.fullRedraws, 1);
}

TEST_F(ChromeFixture, StayOnTopTwiceEndsNotTopmostAndReappliesTheRectangleEachTime) {
  Choose("StayOnTop1");
  Choose("StayOnTop1");
  const Rect r{100, 50, 576, 390};
  EXPECT_EQ(platform.frame.topmostCalls, (std::vector<FakeWindowFrame::Topmost>{{true, r}, {false, r}}));
  EXPECT_FALSE(form.menu.StayOnTop1.Checked);
}

TEST_F(ChromeFixture, DefaultSizeIsFourEightyByThreeTwentyAtTheOrigin) {
  Choose("Setdefaultwindowsize1");
  EXPECT_EQ(platform.frame.bounds[kMainWindow], (Rect{0, 0, 480, 320}));
}

TEST_F(ChromeFixture, HidingThePanelGivesThePictureItsHeightAndStopsSampling) {
  EXPECT_EQ(form.ClientResized(468, 311), (Rect{0, 0, 468, 282}));
  Choose("ShowPanel1");
  EXPECT_FALSE(form.panel.Panel1.Visible);
  EXPECT_FALSE(form.imageview1().Getcolor());
  EXPECT_EQ(form.ClientResized(468, 311), (Rect{0, 0, 468, 311}));
  Choose("ShowPanel1");
  EXPECT_TRUE(form.imageview1().Getcolor());
}

TEST_F(ChromeFixture, OnlyTheLeftButtonDragsTheWindow) {
  form.imageview1().OnMouseDown(&form.imageview1(), MouseButton::Right, {5, 5});
  EXPECT_EQ(platform.frame.moveDrags, 0);
  form.imageview1().OnMouseDown(&form.imageview1(), MouseButton::Left, {5, 5});
  form.panel.BackgroundPressed();
  EXPECT_EQ(platform.frame.moveDrags, 2);
}

TEST(ScreenSnap, EdgesWithinTenPixelsLieOnTheWorkArea) {
  const Rect work{0, 0, 1920, 1040};
  const struct {
    const char* name;
    Rect moved;
    Rect expected;
  } cases[] = {
      {"far from every edge", {500, 400, 900, 700}, {500, 400, 900, 700}},
      {"left 9 px off", {9, 400, 409, 700}, {0, 400, 400, 700}},
      {"left 10 px off", {10, 400, 410, 700}, {10, 400, 410, 700}},
      {"left 9 px past", {-9, 400, 391, 700}, {0, 400, 400, 700}},
      {"right 5 px short", {1515, 400, 1915, 700}, {1520, 400, 1920, 700}},
      {"bottom right corner", {1512, 745, 1912, 1045}, {1520, 740, 1920, 1040}},
      {"top left corner", {-3, 7, 397, 307}, {0, 0, 400, 300}},
  };
  for (const auto& c : cases) EXPECT_EQ(SnapToWorkArea(c.moved, work), c.expected) << c.name;
  // A monitor left of the primary one.
  EXPECT_EQ(SnapToWorkArea({-1915, 100, -1515, 400}, {-1920, 0, 0, 1080}), (Rect{-1920, 100, -1520, 400}));
}

TEST(PanelScaling, MinimumSizeAndWidthRuleKeepTheirDesignedProportions) {
  const struct {
    int dpi;
    int minimum;
    int positionFrom;  // the physical outer width from which the position label shows
  } cases[] = {{96, 150, 480}, {144, 225, 720}, {192, 300, 960}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    EXPECT_EQ(MinimumOuterSize(c.dpi), c.minimum);
    EXPECT_GE(DesignedWidth(c.positionFrom, c.dpi), kPositionMinWidth);
    EXPECT_LT(DesignedWidth(c.positionFrom - 2, c.dpi), kPositionMinWidth);

    // At the smallest window only the zoom list and the close button remain, side by side.
    StatusPanel panel;
    panel.FormResize(DesignedWidth(c.minimum, c.dpi));
    EXPECT_TRUE(panel.cbxZoomLevel.Visible && panel.btnClose.Visible);
    EXPECT_FALSE(panel.btnType.Visible || panel.pnlColor.Visible || panel.lblPosition.Visible ||
                 panel.btnOptions.Visible);
    const Rect list = PanelControlRect(PanelControl::ZoomList, c.minimum, c.dpi);
    const Rect close = PanelControlRect(PanelControl::CloseButton, c.minimum, c.dpi);
    EXPECT_LT(list.right, close.left);
    EXPECT_LE(close.right, c.minimum);
    EXPECT_GE(list.left, 0);
  }
}

TEST(PanelScaling, ControlsAtTwoHundredPercent) {
  // The designed 468-pixel panel at 192 DPI: every figure doubled, right-anchored ones from the right.
  const int width = 936;
  EXPECT_EQ(PanelControlRect(PanelControl::ZoomList, width, 192), (Rect{10, 6, 178, 52}));
  EXPECT_EQ(PanelControlRect(PanelControl::CloseButton, width, 192), (Rect{878, 4, 928, 54}));
  EXPECT_EQ(PanelControlRect(PanelControl::OptionsButton, width, 192), (Rect{826, 4, 876, 54}));
  EXPECT_EQ(PanelControlRect(PanelControl::PositionLabel, width, 192), (Rect{612, 14, 822, 44}));
  EXPECT_EQ(PanelHeight(192), 58);
  // 150 %: halves round away from zero, as MulDiv does.
  EXPECT_EQ(PanelControlRect(PanelControl::ZoomList, 702, 144), (Rect{8, 5, 134, 40}));
}

}  // namespace
