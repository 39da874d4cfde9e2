#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Pixels as a person sees them: 0x00RRGGBB, rows from the top.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  Picture() = default;
  Picture(int w, int h, uint32_t fill = 0)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  uint32_t& At(int x, int y) { return pixels[Index(x, y)]; }
  uint32_t At(int x, int y) const { return pixels[Index(x, y)]; }

 private:
  size_t Index(int x, int y) const {
    return static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
  }
};

// What the screen shows in `area` (desktop coordinates), read back through the screen DC.
Picture GrabScreen(const RECT& area);

// True when the screen shows the test pattern all over `area`.
bool ShowsPattern(const RECT& area);

// A pixel as a failure prints it: 0xRRGGBB.
std::string Hex(uint32_t color);

// The clipboard's CF_BITMAP, or nothing when it holds none or cannot be opened.
std::optional<Picture> ClipboardBitmap();
bool EmptyTheClipboard();

// For a person looking into a failure; the path is relative to the working directory.
void SaveBmp(const Picture& picture, const std::wstring& path);
