#include "main/fmMagnifier.h"

#include <algorithm>

#include "main/MainMenu.h"

Tfrmmain::Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces)
    : Timer1(platform.windows, kTimer1Id, 66),
      FPlatform(platform),
      FImageView(std::make_unique<TImageView>(platform.screen, platform.windows, platform.clipboard, surfaces)) {
  InitMenuItems(*this);
  setFreqChecked();
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
  FPlatform.clipboard.Empty();
  FImageView->CopyToClipBoard();
}

void Tfrmmain::N1xpersecond1Click(TMenuItem& Sender) {
  const bool wasEnabled = Timer1.Enabled();
  Timer1.SetEnabled(false);
  // A negative tag stops the ticks rather than wrapping round to an interval of weeks.
  Timer1.SetInterval(static_cast<uint32_t>(std::max(Sender.Tag, 0)));
  Timer1.SetEnabled(wasEnabled);
  setFreqChecked();
}

void Tfrmmain::setFreqChecked() {
  for (TMenuItem* item : {&N5xpersecond1, &N10xpersecond1, &N15xpersecond1, &N30xpersecond1, &N60xpersecond1}) {
    item->Checked = static_cast<int64_t>(Timer1.Interval()) == item->Tag;
  }
}
