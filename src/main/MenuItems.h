#pragma once

// A menu command's state as the handlers see it.
struct TMenuItem {
  bool Checked = false;
  int Tag = 0;
};

// The check marks and tags of the menu items that something reads; the menu table
// (MainMenu.h) sets them to their first-start values.
struct TMainMenuItems {
  TMenuItem Magnify1X1, Magnify2X1, Magnify3X1, Magnify4X1, Magnify5X1, Magnify6X1, Magnify8X1, Magnify10X1,
      Magnify12X1, Magnify16x1, Magnify20x1, Magnify24x1, Magnify28x1, Magnify32x1, Magnify36x1, Magnify40x1,
      Magnify075X1, Magnify05X1, Magnify025X1;
  TMenuItem N5xpersecond1, N10xpersecond1, N15xpersecond1, N30xpersecond1, N60xpersecond1;
  TMenuItem RGBValues1, HTMLCode1, mnuRGB, mnuHTML;
  TMenuItem FixedLocation1;
  TMenuItem FlipwhenHovered1;
  // The user's choice for the cursor image, which the caret search switches back to.
  TMenuItem Showcursor1;
  // Its Tag records the index of the chosen zoom level.
  TMenuItem AboutGlimmerlux1;
};
