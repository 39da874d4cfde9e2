#include "Bitmap.h"

#include <algorithm>
#include <new>

namespace {

class HeapSurface final : public Surface {
 public:
  explicit HeapSurface(size_t pixels)
      : bits_(static_cast<uint32_t*>(::operator new (pixels * 4, std::align_val_t{64}, std::nothrow))) {}
  ~HeapSurface() override { ::operator delete (bits_, std::align_val_t{64}); }
  HeapSurface(const HeapSurface&) = delete;
  HeapSurface& operator=(const HeapSurface&) = delete;
  uint32_t* Bits() override { return bits_; }

 private:
  uint32_t* bits_;
};

class HeapSurfaceFactory final : public SurfaceFactory {
 public:
  std::unique_ptr<Surface> Create(int width, int height) override {
    auto s = std::make_unique<HeapSurface>(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (s->Bits() == nullptr) return nullptr;
    return s;
  }
};

}  // namespace

SurfaceFactory& HeapSurfaces() {
  static HeapSurfaceFactory factory;
  return factory;
}

bool Bitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return false;
  surface_.reset();
  bits_ = nullptr;
  width_ = height_ = 0;
  if (width > 0 && height > 0) {
    surface_ = factory_->Create(width, height);
    if (surface_) {
      bits_ = surface_->Bits();
      width_ = width;
      height_ = height;
    }
  }
  return true;
}

void Bitmap::Fill(uint32_t pixel) { std::fill_n(bits_, PixelCount(), pixel); }

void Bitmap::FillRect(TRect r, uint32_t pixel) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  if (r.left >= r.right) return;
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
}
