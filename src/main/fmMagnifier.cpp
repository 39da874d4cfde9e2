#include "main/fmMagnifier.h"

#include <algorithm>

Tfrmmain::Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces)
    : FImageView(std::make_unique<TImageView>(platform.screen, platform.windows, platform.clipboard, surfaces)),
      Timer1(platform.windows, kTimer1Id, 66),
      commandPoint(platform.screen),
      readouts(*FImageView, panel, commandPoint, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      caretFollow(platform.caret, platform.screen, *FImageView, [this] { return display.CursorChosen(); }),
      tracking({platform.screen, platform.windows, platform.monitors}, FHandle, *FImageView, panel, caretFollow,
               readouts, commandPoint, [this] { return display.CursorChosen(); }, [this] { WriteSettings(); }),
      zoom(*FImageView, panel, [this] { WriteSettings(); }),
      display(Timer1, *FImageView, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      chrome(platform.frame, platform.windows, platform.monitors, FHandle, *FImageView, panel,
             [this] { WriteSettings(); }),
      startWithWindows(platform.startup, platform.programFile, platform.messages),
      JvFormStorage1({platform.settings, platform.frame, platform.screen, platform.monitors}, FHandle),
      JvTrayIcon1(platform.tray, platform.app, platform.windows),
      presence(JvTrayIcon1, platform.app, platform.frame, FHandle,
               {[this] { WriteSettings(); }, [this] { SaveFormState(); },
                [this](const std::string& what) {
                  FMessages.MessageDlg("Glimmerlux could not save its settings as it ended: " + what,
                                       TMsgDlgType::mtError);
                }}),
      hotKey(platform.hotKeys, FHandle, [this] { presence.ToggleProgram(); }),
      dialogs({platform.internet, platform.shell, platform.messages, platform.frame, platform.windows,
               platform.workers},
              {FHandle, version, Timer1, [this] { return chrome.StayOnTop(); },
               [this](bool onTop) { chrome.SetStayOnTop(onTop); }, [this] { JvTrayIcon1.ShowApplication(); },
               [this] { return presence.ProgramShown(); }}),
      colourCheck(*FImageView, platform.screen, commandPoint, platform.clipboard, platform.messages,
                  platform.settings, [this] { WriteSettings(); }, surfaces),
      nudge(platform.screen, [this] { Timer1Timer(); }),
      FSettings(platform.settings),
      FMessages(platform.messages),
      FProgramFile(platform.programFile) {
  CollectSettings();
  commandPoint.SampleColour = [this](TPoint pointer) { return colourCheck.SampleAt(pointer); };
  commandPoint.OnMenuOpening = [this] { tracking.NestedLoopStarting(); };
  dialogs.OnModalLoop = [this] { tracking.NestedLoopStarting(); };
  display.OnSwitched = [this] {
    UpdateTitleCaption();
    if (!display.SwitchedOn()) readouts.SwitchedOff();
  };
  display.OnFilterChosen = [this](int filter) { colourCheck.FilterChosen(filter); };
  panel.OnZoomListChange = [this] { zoom.cbxZoomLevelChange(); };
  panel.OnFollowCaretClick = [this] { tracking.btnTypeClick(); };
  panel.OnBackgroundPress = [this] { chrome.ImageView1MouseDown(TMouseButton::Left); };
  panel.OnCloseClick = [this] { presence.btnCloseClick(); };
  JvTrayIcon1.OnClick = [this] { return dialogs.TrayIconClick(); };
  FImageView->OnDblClick = [this](TCustomImageView*) { chrome.ImageView1DblClick(); };
  FImageView->OnMouseDown = [this](TCustomImageView*, TMouseButton button, TPoint) {
    chrome.ImageView1MouseDown(button);
  };
  // The view samples colours only for a panel that shows them.
  FImageView->SetGetcolor(panel.Panel1.Visible);
  zoom.cbxZoomLevelChange();
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

void Tfrmmain::UpdateTitleCaption() {
  dialogs.UpdateTitleCaption(colourCheck.CaptionSuffix() + (display.SwitchedOn() ? "" : kSwitchedOffSuffix));
}
