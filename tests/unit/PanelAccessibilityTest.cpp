#include <gtest/gtest.h>

#include <string>

#include "main/PanelAccessibility.h"
#include "main/StatusPanel.h"
#include "view/VwImage.h"  // clBtnFace

namespace {

// The names a screen reader announces are the controls' hints; the readouts speak their text.
TEST(PanelAccessibility, EveryControlTheUserOperatesHasItsHintAsName) {
  const struct {
    PanelControl control;
    const char* name;
  } expected[] = {
      {PanelControl::ZoomList, "Zoom Level"}, {PanelControl::TypeButton, "Follow Caret Position"},
      {PanelControl::ColorLabel, "Color"},    {PanelControl::OptionsButton, "Settings"},
      {PanelControl::CloseButton, "Close"},   {PanelControl::ColorSwatch, ""},
      {PanelControl::PositionLabel, ""},
  };
  for (const auto& e : expected) EXPECT_EQ(AccessibleName(e.control), e.name) << static_cast<int>(e.control);
}

TEST(PanelAccessibility, HighContrastReplacesThePanelColorsButNotTheReading) {
  const struct {
    ColorRef designed;
    ColorRef background, backgroundInHighContrast;
    ColorRef text, textInHighContrast;
  } cases[] = {
      {kPanelGrey, kPanelGrey, clBtnFace, kPanelGrey, clBtnText},
      {clHighlightText, clHighlightText, clBtnFace, clHighlightText, clBtnText},
      {clWhite, clWhite, clBtnFace, clWhite, clBtnText},     // the position label, absolute
      {clYellow, clYellow, clBtnFace, clYellow, clBtnText},  // the position label, relative to the origin
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PanelBackground(c.designed, false), c.background);
    EXPECT_EQ(PanelBackground(c.designed, true), c.backgroundInHighContrast);
    EXPECT_EQ(PanelLabelText(c.designed, false), c.text);
    EXPECT_EQ(PanelLabelText(c.designed, true), c.textInHighContrast);
  }
}

TEST(KeyboardMenu, OnlyMinusOneMinusOneComesFromTheKeyboard) {
  EXPECT_TRUE(IsKeyboardMenuRequest({-1, -1}));
  EXPECT_FALSE(IsKeyboardMenuRequest({-1, 0}));
  EXPECT_FALSE(IsKeyboardMenuRequest({0, -1}));
  EXPECT_FALSE(IsKeyboardMenuRequest({640, 480}));
}

// The designed window at (100, 300): client 468 x 311 (picture 282 high, panel 29).
TEST(KeyboardMenu, OpensBelowAFocusedControlOrAtTheWindowsTopLeft) {
  const Rect client{100, 300, 568, 611};
  const struct {
    Rect focused;
    Point expected;
  } cases[] = {
      {{105, 585, 189, 608}, {105, 608}},  // the zoom list
      {{539, 584, 564, 609}, {539, 609}},  // the close button, right-anchored
      {{100, 300, 568, 582}, {100, 300}},  // the picture
      {client, {100, 300}},                // the window itself
  };
  for (const auto& c : cases) {
    const Point at = KeyboardMenuPoint(c.focused, client);
    EXPECT_EQ(at.x, c.expected.x);
    EXPECT_EQ(at.y, c.expected.y);
  }
}

}  // namespace
