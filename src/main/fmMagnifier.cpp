#include "main/fmMagnifier.h"

#include <algorithm>

#include "main/MainMenu.h"
#include "platform/Messages.h"
#include "platform/Services.h"
Tfrmmain::Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces)
    : imageView_(std::make_unique<TImageView>(platform.screen, platform.windows, platform.clipboard, surfaces)),
      Timer1(platform.windows, kTimer1Id, 66),
      commandPoint(platform.screen),
      readouts(*imageView_, panel, commandPoint, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      caretFollow(platform.caret, platform.screen, *imageView_, [this] { return display.CursorChosen(); }),
      tracking(
          {platform.screen, platform.windows, platform.monitors}, handle_, *imageView_, panel, caretFollow, readouts,
          commandPoint, [this] { return display.CursorChosen(); }, [this] { WriteSettings(); }),
      zoom(*imageView_, panel, [this] { WriteSettings(); }),
      display(Timer1, *imageView_, platform.clipboard, platform.messages, [this] { WriteSettings(); }),
      chrome(platform.frame, platform.windows, platform.monitors, handle_, *imageView_, panel,
             [this] { WriteSettings(); }),
      startWithWindows(platform.startup, platform.programFile, platform.messages),
      JvFormStorage1({platform.settings, platform.frame, platform.screen, platform.monitors}, handle_),
      JvTrayIcon1(platform.tray, platform.app, platform.windows),
      lifetime(JvTrayIcon1, platform.app, platform.frame, handle_,
               {[this] { WriteSettings(); }, [this] { SaveFormState(); },
                [this](const std::string& what) {
                  messages_.MessageDlg("Glimmerlux could not save its settings as it ended: " + what,
                                       MessageType::mtError);
                }}),
      hotKey(platform.hotKeys, handle_, [this] { lifetime.ToggleProgram(); }),
      dialogs(
          {platform.internet, platform.shell, platform.messages, platform.frame, platform.windows, platform.workers},
          {handle_, version, Timer1, [this] { return chrome.StayOnTop(); },
           [this](bool onTop) { chrome.SetStayOnTop(onTop); }, [this] { JvTrayIcon1.ShowApplication(); },
           [this] { return lifetime.ProgramShown(); }}),
      colorCheck(
          *imageView_, platform.screen, commandPoint, platform.clipboard, platform.messages, platform.settings,
          [this] { WriteSettings(); }, surfaces),
      nudge(platform.screen, [this] { Timer1Timer(); }),
      settings_(platform.settings),
      messages_(platform.messages),
      programFile_(platform.programFile) {
  CollectSettings();
  commandPoint.SampleColor = [this](Point pointer) { return colorCheck.SampleAt(pointer); };
  commandPoint.OnMenuOpening = [this] { tracking.NestedLoopStarting(); };
  dialogs.OnModalLoop = [this] { tracking.NestedLoopStarting(); };
  display.OnSwitched = [this] {
    UpdateTitleCaption();
    if (!display.SwitchedOn()) readouts.SwitchedOff();
  };
  display.OnFilterChosen = [this](int filter) { colorCheck.FilterChosen(filter); };
  panel.OnZoomListChange = [this] { zoom.cbxZoomLevelChange(); };
  panel.OnFollowCaretClick = [this] { tracking.btnTypeClick(); };
  panel.OnBackgroundPress = [this] { chrome.ImageView1MouseDown(MouseButton::Left); };
  panel.OnCloseClick = [this] { lifetime.btnCloseClick(); };
  JvTrayIcon1.OnClick = [this] { return dialogs.TrayIconClick(); };
  imageView_->OnDblClick = [this](TCustomImageView*) { chrome.ImageView1DblClick(); };
  imageView_->OnMouseDown = [this](TCustomImageView*, MouseButton button, Point) {
    chrome.ImageView1MouseDown(button);
  };
  // The view samples colors only for a panel that shows them.
  imageView_->SetGetcolor(panel.Panel1.Visible);
  zoom.cbxZoomLevelChange();
  startWithWindows.ReadCheckMark();
}

Tfrmmain::~Tfrmmain() = default;

void Tfrmmain::AttachWindow(WindowId handle) {
  handle_ = handle;
  Timer1.AttachWindow(handle);
  JvTrayIcon1.AttachWindow(handle);
  dialogs.AttachWindow(handle);
}

void Tfrmmain::FormCreate() {
  hotKey.Register();
  lifetime.AllowClose = false;
  tracking.followkey = panel.btnType.Down;
}

Rect Tfrmmain::ClientResized(int width, int height) const {
  const int panelHeight = panel.Panel1.Visible ? panel.Panel1.Height : 0;
  return {0, 0, width, std::max(0, height - panelHeight)};
}

void Tfrmmain::UpdateTitleCaption() {
  dialogs.UpdateTitleCaption(colorCheck.CaptionSuffix() + (display.SwitchedOn() ? "" : kSwitchedOffSuffix));
}
