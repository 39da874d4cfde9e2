#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "base/Geometry.h"
#include "platform/Screen.h"

// Where a command acts. From before one of the program's menus shows until the command chosen
// from it has run, that is where the pointer was as the menu opened, with the desktop's colour
// there: by the time the command runs the pointer is on the menu item, and the menu has
// covered the pixels that were under it.
class CommandPoint {
 public:
  // The desktop's colour around a point as the colour check samples it; none when unreadable.
  using Sampler = std::function<std::optional<ColorRef>(Point)>;

  explicit CommandPoint(Screen& screen) : screen_(screen) {}

  Sampler SampleColor;
  // A menu's own message loop is about to run.
  std::function<void()> OnMenuOpening;

  // Each menu takes the moment afresh as it opens, and gives back the one before it (a menu
  // opened from a command of another) once its command has run.
  void Hold();
  void Release();
  // While a menu is on screen; the system's own notices of a menu loop nest inside.
  void MenuShown();
  void MenuHidden();
  // The readouts stand still while a menu is on screen.
  bool MenuOpen() const { return menusShown_ > 0; }

  // The pointer a command acts on: the held one, else where it is now.
  bool Pointer(Point& at) const;
  // The colour a command picks: the held one, else sampled now.
  std::optional<ColorRef> Color() const;

  // Holds the moment for one menu and its command.
  class Scope {
   public:
    explicit Scope(CommandPoint& point) : point_(point) { point_.Hold(); }
    ~Scope() { point_.Release(); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    CommandPoint& point_;
  };

 private:
  struct Moment {
    bool pointerKnown = false;
    Point pointer;
    std::optional<ColorRef> color;
  };
  Screen& screen_;
  std::vector<Moment> held_;
  int menusShown_ = 0;
};
