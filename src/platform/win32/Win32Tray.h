#pragma once

#include <windows.h>

#include "platform/Tray.h"

// The icon's clicks arrive at its window as this message; the low word of lParam is the event.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;

// Shell_NotifyIconW with the program's small icon, one icon per window.
class Win32Tray final : public Tray {
 public:
  bool AddIcon(WindowId window, const std::string& tip) override;
  void RemoveIcon(WindowId window) override;

  // Shells from version 5.0 on tell a request for the icon's menu (right button or keyboard)
  // as WM_CONTEXTMENU; older ones only report the right button's release.
  bool TellsContextMenu() const { return tellsContextMenu_; }

 private:
  bool tellsContextMenu_ = false;
};
