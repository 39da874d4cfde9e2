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
  panel.OnBackgroundPress = [this] { ImageView1MouseDown(TMouseButton::Left); };
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

void Tfrmmain::FormShow() {
  chrome.SetWindowOpacity(FHandle, 255);
  TImageView& view = *FImageView;
  view.SetColorFilterMode(static_cast<TColorFilterMode>(display.ColorFilterIndex()));
  view.SetGridlevel(display.pixlevel);
  view.SetFixedGrid(menu.DrawFixedGrid1.Checked);
  view.SetFlipHorizontal(menu.FlipHorizontally1.Checked);
  view.SetFlipVertical(menu.FlipVertically1.Checked);
  tracking.followkey = panel.btnType.Down;
  menu.HTMLCode1.Checked = !menu.RGBValues1.Checked;
  menu.mnuRGB.Checked = menu.RGBValues1.Checked;
  menu.mnuHTML.Checked = menu.HTMLCode1.Checked;
  cbxZoomLevelChange();
  SetStayOnTop(menu.StayOnTop1.Checked);
  menu.ShowPanel1.Checked = panel.Panel1.Visible;
  view.SetGetcolor(panel.Panel1.Visible);
  view.SetDrawCross(menu.DrawCrossHair1.Checked);
  view.SetShowCursor(menu.Showcursor1.Checked);
  view.SetSmoothen(menu.Smoothen1.Checked);
  SetTransparency();
  setFreqChecked();
  chrome.RestoreTitlebar(chrome.TitleShown());
  menu.AboutGlimmerlux1.Tag = panel.cbxZoomLevel.ItemIndex;
}
