#pragma once

#include <string>

// A label of a dialog as its host shows it.
struct Label {
  std::string Caption;
  bool Visible = true;
};
