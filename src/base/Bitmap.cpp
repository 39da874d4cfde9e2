#include "Bitmap.h"

#include <algorithm>
#include <new>
#include <utility>

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

void Bitmap::Swap(Bitmap& other) {
  std::swap(factory_, other.factory_);
  std::swap(surface_, other.surface_);
  std::swap(bits_, other.bits_);
  std::swap(width_, other.width_);
  std::swap(height_, other.height_);
}

void Bitmap::Fill(uint32_t pixel) { std::fill_n(bits_, PixelCount(), pixel); }

void Bitmap::FillRect(Rect r, uint32_t pixel) {
  r.left = std::max(r.left, 0);
  r.top = std::max(r.top, 0);
  r.right = std::min(r.right, width_);
  r.bottom = std::min(r.bottom, height_);
  if (r.left >= r.right) return;
  for (int y = r.top; y < r.bottom; ++y) std::fill(Row(y) + r.left, Row(y) + r.right, pixel);
}

void Bitmap::FillOutside(Rect inside, uint32_t pixel) {
  inside.left = std::clamp(inside.left, 0, width_);
  inside.right = std::clamp(inside.right, inside.left, width_);
  inside.top = std::clamp(inside.top, 0, height_);
  inside.bottom = std::clamp(inside.bottom, inside.top, height_);
  FillRect({0, 0, width_, inside.top}, pixel);
  FillRect({0, inside.bottom, width_, height_}, pixel);
  FillRect({0, inside.top, inside.left, inside.bottom}, pixel);
  FillRect({inside.right, inside.top, width_, inside.bottom}, pixel);
}
