#include "app/ProgramStart.h"

int32_t TransparencyFromSwitch(int32_t value) { return (value & 0xFF) == 0 ? 255 : value; }

void ApplyStartupSwitches(Tfrmmain& frm, StartupSwitches switches) {
  if (switches.transparency > 0) {
    frm.chrome.Transparency = TransparencyFromSwitch(switches.transparency);
    frm.SetTransparency();
  }
  if (switches.noTray) {
    frm.JvTrayIcon1.SetActive(false);
    switches.allowClose = true;
    switches.autostart = false;
  }
  if (switches.allowClose) frm.lifetime.ForceAllowClose();
  if (switches.autostart) frm.JvTrayIcon1.SetVisibility(frm.JvTrayIcon1.Visibility() & ~tvVisibleTaskBar);
}
