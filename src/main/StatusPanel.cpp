#include "main/StatusPanel.h"

void StatusPanel::FormResize(int outerWidth) {
  lblPosition.Visible = outerWidth >= kPositionMinWidth;
  pnlColor.Visible = outerWidth >= kColorMinWidth;
  lblColor.Visible = outerWidth >= kColorMinWidth;
  btnOptions.Visible = outerWidth >= kOptionsButtonMinWidth;
  btnType.Visible = outerWidth >= kTypeButtonMinWidth;
  Changed();
}

void StatusPanel::ZoomListPicked(int index) {
  cbxZoomLevel.ItemIndex = index;
  if (OnZoomListChange) OnZoomListChange();
}
