#pragma once

#include <algorithm>
#include <memory>

#include "platform/Clipboard.h"

// Holds a bitmap or a text, as the real clipboard holds one format at a time here.
class FakeClipboard : public Clipboard {
 public:
  std::unique_ptr<Bitmap> bitmap;
  std::string text;
  // Off: another program holds the clipboard, and nothing changes.
  bool available = true;

  bool SetBitmap(const Bitmap& picture) override {
    if (!available) return false;
    bitmap = std::make_unique<Bitmap>();
    bitmap->SetSize(picture.Width(), picture.Height());
    std::copy_n(picture.Pixels(), picture.PixelCount(), bitmap->Pixels());
    text.clear();
    return true;
  }
  bool SetText(const std::string& value) override {
    if (!available) return false;
    bitmap.reset();
    text = value;
    return true;
  }
};
