#include "Picture.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "fixture/TestPattern.h"
#include "platform/win32/Handles.h"

namespace {

constexpr uint32_t kRgbMask = 0x00FFFFFF;

BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The fourth byte is undefined in both screen and clipboard bitmaps.
void DropUnusedByte(Picture& picture) {
  for (uint32_t& pixel : picture.pixels) pixel &= kRgbMask;
}

}  // namespace

std::string Hex(uint32_t color) {
  char text[16];
  std::snprintf(text, sizeof(text), "0x%06X", static_cast<unsigned>(color));
  return text;
}

Picture GrabScreen(const RECT& area) {
  Picture picture(area.right - area.left, area.bottom - area.top);
  WindowDc screen(nullptr);
  MemoryDc memory(CreateCompatibleDC(screen.Get()));
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  void* bits = nullptr;
  GdiBitmap target(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen || !memory || !target || bits == nullptr) return picture;
  {
    SelectionGuard selected(memory.Get(), target.Get());
    BitBlt(memory.Get(), 0, 0, picture.width, picture.height, screen.Get(), area.left, area.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    std::memcpy(picture.pixels.data(), bits, picture.pixels.size() * sizeof(uint32_t));
  }
  DropUnusedByte(picture);
  return picture;
}

bool ShowsPattern(const RECT& area) {
  const Picture shown = GrabScreen(area);
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) != test_pattern::PixelAt(area.left + x, area.top + y)) return false;
    }
  }
  return true;
}

std::optional<Picture> ClipboardBitmap() {
  ClipboardScope clipboard(nullptr);
  if (!clipboard.Opened()) return std::nullopt;
  auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
  BITMAP header{};
  if (bitmap == nullptr || GetObjectW(bitmap, sizeof(header), &header) == 0) return std::nullopt;
  Picture picture(header.bmWidth, header.bmHeight);
  BITMAPINFO info = TopDown32(picture.width, picture.height);
  WindowDc screen(nullptr);
  // The clipboard owns the bitmap; it is only read here.
  if (GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(picture.height), picture.pixels.data(), &info,
                DIB_RGB_COLORS) != picture.height) {
    return std::nullopt;
  }
  DropUnusedByte(picture);
  return picture;
}

bool EmptyTheClipboard() {
  ClipboardScope clipboard(nullptr);
  return clipboard.Opened() && EmptyClipboard();
}

void SaveBmp(const Picture& picture, const std::wstring& path) {
  const BITMAPINFO info = TopDown32(picture.width, picture.height);
  const DWORD imageSize = static_cast<DWORD>(picture.pixels.size() * sizeof(uint32_t));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + imageSize;
  std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(path.c_str(), L"wb"), &std::fclose);
  if (!out) return;
  std::fwrite(&file, sizeof(file), 1, out.get());
  std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out.get());
  std::fwrite(picture.pixels.data(), imageSize, 1, out.get());
}
