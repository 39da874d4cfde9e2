#include <gtest/gtest.h>

#include "fake/FakePlatform.h"
#include "fake/FormFixture.h"
#include "main/ColorText.h"
#include "main/StatusReadouts.h"

namespace {

ColorRef Rgb(unsigned r, unsigned g, unsigned b) { return r | g << 8 | b << 16; }

TEST(StatusReadoutTexts, ColorTextsAndTheirFontColor) {
  const struct {
    ColorRef color;
    const char* rgb;
    const char* html;
    ColorRef font;
  } cases[] = {
      {Rgb(255, 128, 0), "RGB : 255,128,0", "#FF8000", clBlack},
      {Rgb(40, 40, 40), "RGB : 40,40,40", "#282828", clWhite},
      {Rgb(120, 120, 120), "RGB : 120,120,120", "#787878", clBlack},
      {Rgb(119, 120, 120), "RGB : 119,120,120", "#777878", clWhite},
      {Rgb(0, 0, 255), "RGB : 0,0,255", "#0000FF", clWhite},
      {Rgb(255, 255, 255), "RGB : 255,255,255", "#FFFFFF", clBlack},
      {Rgb(0, 0, 0), "RGB : 0,0,0", "#000000", clWhite},
      // The byte above blue is not part of the colour.
      {0xAB0A0B0C, "RGB : 12,11,10", "#0C0B0A", clWhite},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rgb);
    EXPECT_EQ(ColorToRgbText(c.color), c.rgb);
    EXPECT_EQ(ColorToHtml(c.color), c.html);
    EXPECT_EQ(SwatchFontColor(c.color), c.font);
  }
}

TEST(StatusReadoutTexts, PositionIsSignedDecimal) {
  EXPECT_EQ(PositionText(1024, 768), "Position: 1024, 768");
  EXPECT_EQ(PositionText(-10, 50), "Position: -10, 50");
  EXPECT_EQ(PositionText(0, -2147483648LL), "Position: 0, -2147483648");
}

struct ReadoutFixture : ::testing::Test, FormFixture {
  int panelChanges = 0;

  ReadoutFixture() {
    platform.screen.PaintDesktop([](int x, int y) { return PatternPixel(x, y); });
    form.AttachWindow(kMainWindow);
    AttachView();
    form.panel.OnChanged = [this] { ++panelChanges; };
  }

  // The paint the tick asked for; it samples the colour the next tick shows.
  void Paint() { form.imageview1().Paint(); }
};

TEST_F(ReadoutFixture, StartsWithItsFirstTexts) {
  EXPECT_EQ(form.panel.pnlColor.Caption, "Color");
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position :");
  EXPECT_EQ(form.panel.lblColor.Caption, "Color");
  EXPECT_TRUE(form.imageview1().Getcolor());
}

TEST_F(ReadoutFixture, SwatchShowsTheColorOfThePreviousPaint) {
  TickAt({300, 200});
  Paint();
  TickAt({500, 400});
  const ColorRef first = ColorFromPixel(PatternPixel(300, 200));
  EXPECT_EQ(form.panel.pnlColor.Color, first);
  EXPECT_EQ(form.panel.pnlColor.Caption, ColorToRgbText(first));
  EXPECT_EQ(form.panel.pnlColor.FontColor, SwatchFontColor(first));
  // The position is this tick's own.
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 500, 400");
  EXPECT_GT(panelChanges, 0);
}

TEST_F(ReadoutFixture, HiddenPanelKeepsItsLastTexts) {
  TickAt({300, 200});
  form.panel.Panel1.Visible = false;
  TickAt({500, 400});
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: 300, 200");
}

TEST_F(ReadoutFixture, FormatItemsStayInStep) {
  EXPECT_TRUE(Checked(form, "RGBValues1"));
  EXPECT_TRUE(Checked(form, "mnuRGB"));
  EXPECT_FALSE(Checked(form, "HTMLCode1") || Checked(form, "mnuHTML"));

  form.readouts.HTMLCode1Click();
  EXPECT_TRUE(Checked(form, "HTMLCode1") && Checked(form, "mnuHTML"));
  EXPECT_FALSE(Checked(form, "RGBValues1") || Checked(form, "mnuRGB"));
  TickAt({300, 200});
  Paint();
  TickAt({300, 200});
  EXPECT_EQ(form.panel.pnlColor.Caption, ColorToHtml(ColorFromPixel(PatternPixel(300, 200))));

  form.readouts.RGBValues1Click();
  EXPECT_TRUE(Checked(form, "RGBValues1") && Checked(form, "mnuRGB"));
  EXPECT_FALSE(Checked(form, "HTMLCode1") || Checked(form, "mnuHTML"));
}

TEST_F(ReadoutFixture, VirtualOriginSetsAndClearsWithItsLabelColor) {
  platform.screen.pointer = {100, 200};
  form.readouts.SetVirtualOrigin1Click();
  EXPECT_EQ(form.panel.lblPosition.FontColor, clYellow);
  TickAt({90, 250});
  EXPECT_EQ(form.panel.lblPosition.Caption, "Position: -10, 50");

  platform.screen.pointer = {100, 200};
  form.readouts.SetVirtualOrigin1Click();
  EXPECT_EQ(form.readouts.virtx, 0);
  EXPECT_EQ(form.readouts.virty, 0);
  EXPECT_EQ(form.panel.lblPosition.FontColor, clWhite);
}

TEST_F(ReadoutFixture, VirtualOriginAtZeroWithoutOriginClearsToWhite) {
  platform.screen.pointer = {0, 0};
  form.readouts.SetVirtualOrigin1Click();
  EXPECT_EQ(form.readouts.virtx, 0);
  EXPECT_EQ(form.readouts.virty, 0);
  EXPECT_EQ(form.panel.lblPosition.FontColor, clWhite);
}

TEST_F(ReadoutFixture, CopiesTheShownTexts) {
  form.readouts.CopyColortoClipboard1Click();
  EXPECT_EQ(platform.clipboard.text, "Color");
  ASSERT_EQ(platform.messages.shown.size(), 1u);
  EXPECT_EQ(platform.messages.shown[0], "copied");

  form.readouts.HTMLCode1Click();
  TickAt({300, 200});
  Paint();
  TickAt({300, 200});
  form.readouts.CopyColortoClipboard1Click();
  EXPECT_EQ(platform.clipboard.text, form.panel.pnlColor.Caption);
  EXPECT_EQ(platform.clipboard.text[0], '#');

  form.readouts.mnuCopyCoord1Click();
  EXPECT_EQ(platform.clipboard.text, "Position: 300, 200");
  EXPECT_EQ(platform.messages.shown.size(), 2u);
}

TEST_F(ReadoutFixture, NarrowWindowHidesControlsByWidth) {
  const struct {
    int width;
    bool position, color, type, options;
  } cases[] = {
      {480, true, true, true, true},    {479, false, true, true, true},    {370, false, true, true, true},
      {369, false, false, true, true},  {200, false, false, true, true},   {199, false, false, false, true},
      {173, false, false, false, true}, {172, false, false, false, false}, {150, false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.width);
    form.FormResize(c.width);
    EXPECT_EQ(form.panel.lblPosition.Visible, c.position);
    EXPECT_EQ(form.panel.pnlColor.Visible, c.color);
    EXPECT_EQ(form.panel.lblColor.Visible, c.color);
    EXPECT_EQ(form.panel.btnType.Visible, c.type);
    EXPECT_EQ(form.panel.btnOptions.Visible, c.options);
    EXPECT_TRUE(form.panel.cbxZoomLevel.Visible && form.panel.btnClose.Visible);
  }
}

TEST_F(ReadoutFixture, ViewLeavesThePanelItsHeight) {
  form.panel.Panel1.Height = 58;
  EXPECT_EQ(form.ClientResized(468, 282), (Rect{0, 0, 468, 224}));
  form.panel.Panel1.Visible = false;
  EXPECT_EQ(form.ClientResized(468, 282), (Rect{0, 0, 468, 282}));
  form.panel.Panel1.Visible = true;
  EXPECT_EQ(form.ClientResized(468, 20), (Rect{0, 0, 468, 0}));
}

}  // namespace
