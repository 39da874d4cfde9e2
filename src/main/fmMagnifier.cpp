#include "main/fmMagnifier.h"

#include <algorithm>

#include "main/MainMenu.h"
#include "platform/Messages.h"
#include "platform/Services.h"

Tfrmmain::Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces)
    : FImageView(std::make_unique<TImageView>(platform.screen, platform.windows, platform.clipboard, surfaces)),
      Timer1(platform.windows, kTimer1Id, 66),
      commandPoint(platform.screen),
      readouts(*FImageView, panel, menu, commandPoint, platform.clipboard, platform.messages,
               [this] { WriteSettings(); }),
      caretFollow(platform.caret, platform.screen, *FImageView, menu),
      tracking({platform.screen, platform.windows, platform.monitors}, FHandle, *FImageView, menu, panel, caretFollow,
               readouts, commandPoint),
      zoom(*FImageView, panel, menu, [this] { WriteSettings(); }),
      display(Timer1, *FImageView, menu, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      chrome(platform.frame, platform.windows, platform.monitors, FHandle, *FImageView, panel, menu,
             [this] { WriteSettings(); }),
      startWithWindows(platform.startup, platform.programFile, platform.messages, menu),
      JvFormStorage1({platform.settings, platform.frame, platform.screen, platform.monitors}, FHandle, StoredProps()),
      JvTrayIcon1(platform.tray, platform.app, platform.windows),
      presence(JvTrayIcon1, platform.app, platform.frame, FHandle, menu,
               {[this] { WriteSettings(); }, [this] { SaveFormState(); },
                [this](const std::string& what) {
                  FMessages.MessageDlg("Glimmerlux could not save its settings as it ended: " + what,
                                       TMsgDlgType::mtError);
                }}),
      hotKey(platform.hotKeys, FHandle, [this] { presence.ToggleProgram(); }),
      dialogs(
          {platform.internet, platform.shell, platform.messages, platform.frame, platform.windows, platform.workers},
          {FHandle, version, Timer1, menu, [this](bool onTop) { SetStayOnTop(onTop); }, [this] { ShowApplication(); },
           [this] { return presence.ProgramShown(); }}),
      colourCheck(
          *FImageView, menu, display, platform.screen, commandPoint, platform.clipboard, platform.messages,
          platform.settings, [this] { WriteSettings(); }, surfaces),
      nudge(platform.screen, [this] { Timer1Timer(); }),
      FSettings(platform.settings),
      FMessages(platform.messages),
      FProgramFile(platform.programFile) {
  InitMenuItems(menu);
  commandPoint.SampleColour = [this](TPoint pointer) { return colourCheck.SampleAt(pointer); };
  commandPoint.OnMenuOpening = [this] { tracking.NestedLoopStarting(); };
  dialogs.OnModalLoop = [this] { tracking.NestedLoopStarting(); };
  display.OnSwitched = [this] {
    UpdateTitleCaption();
    if (!menu.Enabled1.Checked) readouts.SwitchedOff();
  };
  panel.OnZoomListChange = [this] { zoom.cbxZoomLevelChange(); };
  panel.OnFollowCaretClick = [this] { btnTypeClick(); };
  panel.OnBackgroundPress = [this] { ImageView1MouseDown(TMouseButton::Left); };
  panel.OnCloseClick = [this] { btnCloseClick(); };
  JvTrayIcon1.OnClick = [this] { return dialogs.TrayIconClick(); };
  FImageView->OnDblClick = [this](TCustomImageView*) { ImageView1DblClick(); };
  FImageView->OnMouseDown = [this](TCustomImageView*, TMouseButton button, TPoint) { ImageView1MouseDown(button); };
  setFreqChecked();
  // The view samples colours only for a panel that shows them.
  FImageView->SetGetcolor(panel.Panel1.Visible);
  cbxZoomLevelChange();
  startWithWindows.ReadCheckMark();
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::AttachWindow(WindowId handle) {
  FHandle = handle;
  Timer1.AttachWindow(handle);
  JvTrayIcon1.AttachWindow(handle);
  dialogs.AttachWindow(handle);
}

void Tfrmmain::FormCreate() {
  hotKey.Register();
  presence.AllowClose = false;
  tracking.followkey = panel.btnType.Down;
}

TRect Tfrmmain::ClientResized(int width, int height) const {
  const int panelHeight = panel.Panel1.Visible ? panel.Panel1.Height : 0;
  return {0, 0, width, std::max(0, height - panelHeight)};
}
