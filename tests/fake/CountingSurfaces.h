#pragma once

#include <memory>

#include "base/Bitmap.h"

// Heap surfaces that count themselves. On Windows each surface is a DIB section selected into
// its own memory DC, two GDI objects, so a surface that is never freed is a GDI leak there.
class CountingSurfaces final : public SurfaceFactory {
 public:
  int live = 0;
  int peak = 0;
  long created = 0;
  // On: no memory to be had, as when the process has used up its GDI objects.
  bool refuse = false;

  std::unique_ptr<Surface> Create(int width, int height) override {
    if (refuse) return nullptr;
    auto inner = HeapSurfaces().Create(width, height);
    if (!inner) return nullptr;
    return std::make_unique<Counted>(*this, std::move(inner));
  }

 private:
  class Counted final : public Surface {
   public:
    Counted(CountingSurfaces& owner, std::unique_ptr<Surface> inner) : owner_(owner), inner_(std::move(inner)) {
      ++owner_.created;
      if (++owner_.live > owner_.peak) owner_.peak = owner_.live;
    }
    ~Counted() override { --owner_.live; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;
    uint32_t* Bits() override { return inner_->Bits(); }

   private:
    CountingSurfaces& owner_;
    std::unique_ptr<Surface> inner_;
  };
};
