#pragma once

#include <functional>

#include "base/Geometry.h"
#include "platform/Caret.h"
#include "platform/Screen.h"
#include "view/VwImage.h"

class CaretSource;
class Screen;
class TCustomImageView;

// The caret of the focused application on the desktop, or (0, 0) when none was found: the
// selection rectangle UI Automation reports wins over the focus window's classic caret.
Point LocateCaret(CaretSource& source);

// Where the picture goes while it follows the caret, and whether the cursor image shows.
class CaretFollow {
 public:
  // `cursorChosen`: the user's choice for the cursor image, which an empty search returns to.
  CaretFollow(CaretSource& source, Screen& screen, TCustomImageView& view, std::function<bool()> cursorChosen)
      : source_(source), screen_(screen), view_(view), cursorChosen_(std::move(cursorChosen)) {}

  bool GetCaretPosition(Point& caret);

 private:
  CaretSource& source_;
  Screen& screen_;
  TCustomImageView& view_;
  std::function<bool()> cursorChosen_;
};
