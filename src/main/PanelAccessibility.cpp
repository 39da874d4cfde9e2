#include "main/PanelAccessibility.h"

#include "base/Colors.h"

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

TColor PanelBackground(TColor designed, bool highContrast) { return highContrast ? clBtnFace : designed; }

TColor PanelLabelText(TColor designed, bool highContrast) { return highContrast ? clBtnText : designed; }

TPoint KeyboardMenuPoint(const TRect& focused, const TRect& client) {
  // Anything at least half the client area's height is the picture or the window itself.
  const bool isControl = focused.Height() * 2 < client.Height();
  return isControl ? TPoint{focused.left, focused.bottom} : TPoint{client.left, client.top};
}
