#include "main/PanelAccessibility.h"

#include "main/StatusPanel.h"
#include "view/VwImage.h"  // clBtnFace

std::string_view AccessibleName(PanelControl control) {
  switch (control) {
    case PanelControl::ZoomList:
      return "Zoom Level";
    case PanelControl::TypeButton:
      return "Follow Caret Position";
    case PanelControl::ColorLabel:
      return "Color";
    case PanelControl::OptionsButton:
      return "Settings";
    case PanelControl::CloseButton:
      return "Close";
    case PanelControl::ColorSwatch:
    case PanelControl::PositionLabel:
      break;
  }
  return {};
}

ColorRef PanelBackground(ColorRef designed, bool highContrast) { return highContrast ? clBtnFace : designed; }

ColorRef PanelLabelText(ColorRef designed, bool highContrast) { return highContrast ? clBtnText : designed; }

Point KeyboardMenuPoint(const Rect& focused, const Rect& client) {
  // Anything at least half the client area's height is the picture or the window itself.
  const bool isControl = focused.Height() * 2 < client.Height();
  return isControl ? Point{focused.left, focused.bottom} : Point{client.left, client.top};
}
