#pragma once

#include "base/Geometry.h"
#include "platform/Caret.h"

// The caret of the focused application on the desktop, or (0, 0) when none was found: the
// selection rectangle UI Automation reports wins over the focus window's classic caret.
TPoint LocateCaret(CaretSource& caret);
