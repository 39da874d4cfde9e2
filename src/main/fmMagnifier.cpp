#include "main/fmMagnifier.h"

namespace {

// The zoom list opens on 2x.
constexpr float kStartZoom = 2.0f;

}  // namespace

Tfrmmain::Tfrmmain(Platform& platform, SurfaceFactory& surfaces)
    : Timer1(platform, kTimer1Id, 66), FPlatform(platform), FImageView(std::make_unique<TImageView>(platform, surfaces)) {
  FImageView->SetZoom(kStartZoom);
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::AttachWindow(WindowId handle) {
  FHandle = handle;
  Timer1.AttachWindow(handle);
}

TRect Tfrmmain::ClientResized(int width, int height) { return {0, 0, width, height}; }

void Tfrmmain::CopyImagetoClipboard1Click() {
  FPlatform.EmptyClipboard();
  FImageView->CopyToClipBoard();
}
