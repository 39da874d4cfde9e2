#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "Geometry.h"

// Pixel memory for a Bitmap. The default lives on the heap; the Windows layer supplies
// surfaces backed by DIB sections so GDI can capture and draw into the same pixels.
class Surface {
 public:
  virtual ~Surface() = default;
  virtual uint32_t* Bits() = 0;
};

class SurfaceFactory {
 public:
  virtual ~SurfaceFactory() = default;
  // Returns nullptr when the memory cannot be had; the bitmap then stays empty.
  virtual std::unique_ptr<Surface> Create(int width, int height) = 0;
};

SurfaceFactory& HeapSurfaces();

// 32 bits per pixel, bytes blue, green, red and an unused fourth byte, rows from the top,
// no padding between rows (a 32-bit row is always DWORD aligned).
class Bitmap {
 public:
  explicit Bitmap(SurfaceFactory& factory = HeapSurfaces()) : factory_(&factory) {}
  Bitmap(const Bitmap&) = delete;
  Bitmap& operator=(const Bitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // Reallocates only when the size differs; the old pixels are then gone.
  // Returns whether the size changed.
  bool SetSize(int width, int height);

  uint32_t* Row(int y) { return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
  const uint32_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * static_cast<size_t>(width_); }
  uint32_t* Pixels() { return bits_; }
  const uint32_t* Pixels() const { return bits_; }
  uint32_t& At(int x, int y) { return Row(y)[x]; }
  uint32_t At(int x, int y) const { return Row(y)[x]; }
  size_t PixelCount() const { return static_cast<size_t>(width_) * static_cast<size_t>(height_); }

  Surface* GetSurface() const { return surface_.get(); }
  // Trades pixels, sizes and surface factories with `other`; no pixel moves.
  void Swap(Bitmap& other);

  void Fill(uint32_t pixel);
  // Fills the part of `r` that lies inside the bitmap.
  void FillRect(Rect r, uint32_t pixel);
  // Fills what lies outside `inside`.
  void FillOutside(Rect inside, uint32_t pixel);

 private:
  SurfaceFactory* factory_;
  std::unique_ptr<Surface> surface_;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Pixel words as they sit in memory on a little-endian machine: 0xXXRRGGBB.
inline uint32_t PixelFromColor(ColorRef c) { return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
inline ColorRef ColorFromPixel(uint32_t p) { return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16); }
inline uint32_t InvertPixel(uint32_t p) { return p ^ 0x00FFFFFFu; }
