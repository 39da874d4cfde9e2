#pragma once

#include <windows.h>

#include "platform/Messages.h"

class Win32Messages final : public Messages {
 public:
  void ShowMessage(const std::string& text) override;
  void MessageDlg(const std::string& text, MessageType kind) override;

  // The window the notices belong to.
  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_ = nullptr;
};
