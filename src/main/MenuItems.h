#pragma once

// A menu command's state as the handlers see it.
struct TMenuItem {
  bool Checked = false;
  int Tag = 0;
  // A disabled item is greyed in the menu and its command does not run.
  bool Enabled = true;
};

// The check marks and tags of the menu items that something reads; the menu table
// (MainMenu.h) sets them to their first-start values.
struct TMainMenuItems {
  TMenuItem Magnify1X1, Magnify2X1, Magnify3X1, Magnify4X1, Magnify5X1, Magnify6X1, Magnify8X1, Magnify10X1,
      Magnify12X1, Magnify16x1, Magnify20x1, Magnify24x1, Magnify28x1, Magnify32x1, Magnify36x1, Magnify40x1,
      Magnify075X1, Magnify05X1, Magnify025X1;
  TMenuItem N5xpersecond1, N10xpersecond1, N15xpersecond1, N30xpersecond1, N60xpersecond1;
  TMenuItem RGBValues1, HTMLCode1, mnuRGB, mnuHTML;
  TMenuItem Smoothen1;
  // The filters in the order of their numbers; Tag is the number.
  TMenuItem CfNone1, CfGrayscale1, CfSepia1, CfInvert1, CfProtanopia1, CfDeuteranopia1, CfTritanopia1,
      CfDaltonizeProtanopia1, CfDaltonizeDeuteranopia1, CfDaltonizeTritanopia1;
  TMenuItem FlipHorizontally1, FlipVertically1;
  // The user's choice for the cursor image, which the caret search switches back to.
  TMenuItem Showcursor1;
  TMenuItem DrawCrossHair1;
  // Grid spacings; Tag is the spacing in desktop pixels, 0 for none.
  TMenuItem NoGrid1, N1pixel1, N5pixels1, N10pixels1, N20pixels1, N50pixels1;
  TMenuItem DrawFixedGrid1;
  TMenuItem ShowPanel1, StayOnTop1, MakeWindowTransparent1;
  TMenuItem FlipwhenHovered1;
  TMenuItem FollowCaretPosition1;
  TMenuItem FixedLocation1;
  TMenuItem Enabled1;
  // Its check mark is kept by the form state though no command changes it.
  TMenuItem DrawGrid1;
  TMenuItem StayinSystemTray1;
  TMenuItem RunonStartup1;
  // Its Tag records the index of the chosen zoom level.
  TMenuItem AboutGlimmerlux1;
  TMenuItem CheckforUpdates1;
  // Beyond the colour filters: the simulation (Tag: its number), its severity (Tag: percent)
  // and the side of the sampled square (Tag).
  TMenuItem CvNone1, CvProtan1, CvDeutan1, CvTritan1;
  TMenuItem CvSeverity10, CvSeverity20, CvSeverity30, CvSeverity40, CvSeverity50, CvSeverity60, CvSeverity70,
      CvSeverity80, CvSeverity90, CvSeverity100;
  TMenuItem Sample1x1, Sample3x3, Sample5x5;
};
