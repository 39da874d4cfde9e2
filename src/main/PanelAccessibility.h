#pragma once

#include <string_view>

#include "base/Geometry.h"
#include "main/PanelLayout.h"

// What a screen reader announces for each panel control: a button's hint, the name of the
// list. The readouts (colour swatch, position label) are announced by their own text.
std::string_view AccessibleName(PanelControl control);

// With high contrast on, the user's button colors replace the panel's designed grey and the
// label colors. The colour swatch keeps the sampled colour: that colour is the reading.
ColorRef PanelBackground(ColorRef designed, bool highContrast);
ColorRef PanelLabelText(ColorRef designed, bool highContrast);

// Windows reports a menu asked for from the keyboard (Shift+F10, the context-menu key) at (-1, -1).
inline bool IsKeyboardMenuRequest(Point at) { return at.x == -1 && at.y == -1; }

// Where a menu asked for from the keyboard opens: below a focused control, so it stays in
// view, or at the top-left of the window's client area when the window itself (or its
// picture, which fills most of it) has the focus. Desktop coordinates.
Point KeyboardMenuPoint(const Rect& focused, const Rect& client);
