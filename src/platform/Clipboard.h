#pragma once

#include <string>

#include "base/Bitmap.h"

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  // Each replaces the whole contents in one opening of the clipboard, trying again for a short
  // while when another program holds it; false when it could not.

  // A device-dependent copy of `picture`.
  virtual bool SetBitmap(const Bitmap& picture) = 0;
  // Plain text (UTF-8 here).
  virtual bool SetText(const std::string& text) = 0;
};
