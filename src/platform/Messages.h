#pragma once

#include <string>

// Notices the user must see.
class Messages {
 public:
  virtual ~Messages() = default;

  // A modal notice with one OK button; returns once it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
};
