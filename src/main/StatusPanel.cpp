#include "main/StatusPanel.h"

#include "main/fmMagnifier.h"

void Tfrmmain::PanelChanged() {
  if (OnPanelChanged) OnPanelChanged();
}

void Tfrmmain::FormResize(int outerWidth) {
  lblPosition.Visible = outerWidth >= kPositionMinWidth;
  pnlColor.Visible = outerWidth >= kColorMinWidth;
  lblColor.Visible = outerWidth >= kColorMinWidth;
  btnOptions.Visible = outerWidth >= kOptionsButtonMinWidth;
  btnType.Visible = outerWidth >= kTypeButtonMinWidth;
  PanelChanged();
}
