#pragma once

#include <functional>
#include <optional>

#include "base/Geometry.h"
#include "platform/Screen.h"

// Where a command acts. While one of the program's menus is open, and until the command chosen
// from it has run, that is where the pointer was as the menu opened, with the desktop's colour
// there: by the time the command runs the pointer is on the menu item, and the menu has
// covered the pixels that were under it.
class CommandPoint {
 public:
  // The desktop's colour around a point as the colour check samples it; none when unreadable.
  using Sampler = std::function<std::optional<TColor>(TPoint)>;

  explicit CommandPoint(Screen& screen) : screen_(screen) {}

  Sampler sampleColour;
  // A menu's own message loop is about to run.
  std::function<void()> OnMenuOpening;

  // Menus nest (a submenu, the system's own notice of a menu the program also brackets): the
  // first opening takes the moment, the last closing lets it go.
  void MenuOpened();
  void MenuClosed();
  bool MenuOpen() const { return menus_ > 0; }

  // The pointer a command acts on: held while a menu is open, else where it is now.
  bool Pointer(TPoint& at) const;
  // The colour a command picks: held while a menu is open, else sampled now.
  std::optional<TColor> Colour() const;

 private:
  Screen& screen_;
  int menus_ = 0;
  bool pointerKnown_ = false;
  TPoint pointer_;
  std::optional<TColor> colour_;
};
