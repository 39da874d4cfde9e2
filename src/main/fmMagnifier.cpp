#include "main/fmMagnifier.h"

#include <algorithm>

#include "main/MainMenu.h"

Tfrmmain::Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces)
    : FImageView(std::make_unique<TImageView>(platform.screen, platform.windows, platform.clipboard, surfaces)),
      Timer1(platform.windows, kTimer1Id, 66),
      readouts(*FImageView, panel, menu, platform.screen, platform.clipboard, platform.messages),
      caretFollow(platform.caret, platform.screen, *FImageView, menu),
      tracking({platform.screen, platform.windows, platform.monitors}, FHandle, *FImageView, menu, panel, caretFollow,
               readouts),
      zoom(*FImageView, panel, menu),
      display(Timer1, *FImageView, menu, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      chrome(platform.frame, platform.windows, FHandle, *FImageView, panel, menu, [this] { WriteSettings(); }) {
  InitMenuItems(menu);
  panel.OnZoomListChange = [this] { zoom.cbxZoomLevelChange(); };
  panel.OnFollowCaretClick = [this] { btnTypeClick(); };
  FImageView->OnDblClick = [this](TCustomImageView*) { ImageView1DblClick(); };
  FImageView->OnMouseDown = [this](TCustomImageView*, TMouseButton button, TPoint) { ImageView1MouseDown(button); };
  setFreqChecked();
  // The view samples colours only for a panel that shows them.
  FImageView->SetGetcolor(panel.Panel1.Visible);
  cbxZoomLevelChange();
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::AttachWindow(WindowId handle) {
  FHandle = handle;
  Timer1.AttachWindow(handle);
}

TRect Tfrmmain::ClientResized(int width, int height) const {
  const int panelHeight = panel.Panel1.Visible ? panel.Panel1.Height : 0;
  return {0, 0, width, std::max(0, height - panelHeight)};
}
