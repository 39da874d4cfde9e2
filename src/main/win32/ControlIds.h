#pragma once

// Child-window identifiers of the main window's status panel, also used by the tests that
// look for these controls from outside.
inline constexpr int kPanel1Id = 100;
inline constexpr int kZoomLevelId = 101;
inline constexpr int kTypeButtonId = 102;
inline constexpr int kColorLabelId = 103;
inline constexpr int kColorSwatchId = 104;
inline constexpr int kPositionLabelId = 105;
inline constexpr int kOptionsButtonId = 106;
inline constexpr int kCloseButtonId = 107;
// Never shown: it names the zoom list for screen readers.
inline constexpr int kZoomLabelId = 108;
