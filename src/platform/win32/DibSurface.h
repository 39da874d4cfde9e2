#pragma once

#include <windows.h>

#include <memory>

#include "base/Bitmap.h"
#include "platform/win32/Handles.h"

// Pixels in a 32-bit top-down DIB section that stays selected into its own memory DC,
// so GDI draws into exactly the memory the core reads.
class DibSurface final : public Surface {
 public:
  // Returns nullptr when GDI cannot supply the section.
  static std::unique_ptr<DibSurface> Create(int width, int height);

  uint32_t* Bits() override { return bits_; }
  HDC Dc() const { return dc_.Get(); }
  HBITMAP Handle() const { return bitmap_.Get(); }

  // The DIB DC of `bitmap` when its pixels live in a DibSurface, else nullptr.
  static HDC DcOf(const Bitmap& bitmap);

 private:
  DibSurface() = default;

  // Declaration order is release order reversed: deselect, then delete the bitmap, then the DC.
  MemoryDc dc_;
  GdiBitmap bitmap_;
  SelectionGuard selection_;
  uint32_t* bits_ = nullptr;
};

class DibSurfaceFactory final : public SurfaceFactory {
 public:
  std::unique_ptr<Surface> Create(int width, int height) override { return DibSurface::Create(width, height); }
};

// Header for handing a core bitmap's pixels to GDI as a top-down 32-bit DIB.
BITMAPINFO TopDownDibInfo(int width, int height);
