#pragma once

#include <string>

// The kinds of boxes a notice comes in, named as the program has always named them.
enum class MessageType { mtWarning, mtError };

// Notices the user must see.
class Messages {
 public:
  virtual ~Messages() = default;

  // A modal notice with one OK button; returns once it is closed.
  virtual void ShowMessage(const std::string& text) = 0;
  // The same with the icon of its kind, centred on the screen.
  virtual void MessageDlg(const std::string& text, MessageType kind) = 0;
};
