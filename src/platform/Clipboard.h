#pragma once

#include <string>

#include "base/Bitmap.h"

class Clipboard {
 public:
  virtual ~Clipboard() = default;

  virtual bool Empty() = 0;
  // Replaces the contents with a device-dependent copy of `picture`.
  virtual bool SetBitmap(const Bitmap& picture) = 0;
  // Replaces the contents with plain text (UTF-8 here).
  virtual bool SetText(const std::string& text) = 0;
};
