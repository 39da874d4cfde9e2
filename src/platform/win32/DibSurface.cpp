#include "platform/win32/DibSurface.h"

BITMAPINFO TopDownDibInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: row 0 is the top line, as in Bitmap
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::unique_ptr<DibSurface> DibSurface::Create(int width, int height) {
  if (width <= 0 || height <= 0) return nullptr;
  std::unique_ptr<DibSurface> surface(new DibSurface());
  surface->dc_.Reset(::CreateCompatibleDC(nullptr));
  if (!surface->dc_) return nullptr;
  const BITMAPINFO info = TopDownDibInfo(width, height);
  void* bits = nullptr;
  surface->bitmap_.Reset(::CreateDIBSection(surface->dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!surface->bitmap_ || bits == nullptr) return nullptr;
  surface->selection_ = SelectionGuard(surface->dc_.Get(), surface->bitmap_.Get());
  if (!surface->selection_) return nullptr;
  surface->bits_ = static_cast<uint32_t*>(bits);
  return surface;
}

HDC DibSurface::DcOf(const Bitmap& bitmap) {
  auto* dib = dynamic_cast<DibSurface*>(bitmap.GetSurface());
  return dib != nullptr ? dib->Dc() : nullptr;
}
