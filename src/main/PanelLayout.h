#pragma once

#include "base/Geometry.h"

// The panel and the window were designed at 96 DPI; the host scales every figure here for the
// monitor the window is on, so at 200 % everything keeps its designed proportions.
inline constexpr int kDesignedDpi = 96;

// `designed` pixels at `dpi`, rounded half away from zero as Windows' MulDiv does.
int ScaleToDpi(int designed, int dpi);
// A physical width in designed pixels, the unit of the width rule.
int DesignedWidth(int physical, int dpi);

enum class PanelControl { ZoomList, TypeButton, ColorLabel, ColorSwatch, PositionLabel, OptionsButton, CloseButton };

// Where a control of the status panel goes on a panel `panelWidth` physical pixels wide;
// the settings and close buttons keep their designed distance to the panel's right edge.
Rect PanelControlRect(PanelControl control, int panelWidth, int dpi);
int PanelHeight(int dpi);
// The zoom list's height when open, tall enough to show every level.
int ZoomListDropHeight(int dpi);
// The window can never be made smaller than this, in both directions.
int MinimumOuterSize(int dpi);
