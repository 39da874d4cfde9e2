#pragma once

#include "base/Geometry.h"
#include "main/MenuItems.h"
#include "platform/Caret.h"
#include "platform/Screen.h"
#include "view/VwImage.h"

// The caret of the focused application on the desktop, or (0, 0) when none was found: the
// selection rectangle UI Automation reports wins over the focus window's classic caret.
Point LocateCaret(CaretSource& source);

// Where the picture goes while it follows the caret, and whether the cursor image shows.
class CaretFollow {
 public:
  CaretFollow(CaretSource& source, Screen& screen, TCustomImageView& view, const TMainMenuItems& items)
      : source_(source), screen_(screen), view_(view), items_(items) {}

  bool GetCaretPosition(Point& caret);

 private:
  CaretSource& source_;
  Screen& screen_;
  TCustomImageView& view_;
  const TMainMenuItems& items_;
};
