#pragma once

#include <windows.h>

#include "platform/Clipboard.h"

class Win32Clipboard final : public Clipboard {
 public:
  bool SetBitmap(const Bitmap& picture) override;
  bool SetText(const std::string& text) override;

  // The window that owns what this program puts on the clipboard.
  void SetOwner(HWND owner) { owner_ = owner; }

 private:
  HWND owner_ = nullptr;
};
