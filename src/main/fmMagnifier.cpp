#include "main/fmMagnifier.h"

#include <algorithm>

#include "main/MainMenu.h"

Tfrmmain::Tfrmmain(Platform& platform, SurfaceFactory& surfaces)
    : Timer1(platform, kTimer1Id, 66),
      FPlatform(platform),
      FImageView(std::make_unique<TImageView>(platform, surfaces)) {
  InitMenuItems(*this);
  // The view samples colours only for a panel that shows them.
  FImageView->SetGetcolor(Panel1.Visible);
  cbxZoomLevelChange();
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::AttachWindow(WindowId handle) {
  FHandle = handle;
  Timer1.AttachWindow(handle);
}

TRect Tfrmmain::ClientResized(int width, int height) {
  const int panel = Panel1.Visible ? Panel1.Height : 0;
  return {0, 0, width, std::max(0, height - panel)};
}

void Tfrmmain::CopyImagetoClipboard1Click() {
  FPlatform.EmptyClipboard();
  FImageView->CopyToClipBoard();
}
