#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Geometry.h"
#include "main/CaretFollow.h"
#include "main/ColorCheck.h"
#include "main/CommandPoint.h"
#include "main/DialogCommands.h"
#include "main/DisplayCommands.h"
#include "main/FormState.h"
#include "main/HotKey.h"
#include "main/MenuItems.h"
#include "main/PointerNudge.h"
#include "main/StartWithWindows.h"
#include "main/StatusPanel.h"
#include "main/StatusReadouts.h"
#include "main/Timer.h"
#include "main/Tracking.h"
#include "main/TrayIcon.h"
#include "main/Lifetime.h"
#include "main/WindowChrome.h"
#include "main/ZoomSelection.h"
#include "platform/Services.h"
#include "view/VwImage.h"

// What the caption adds while the magnifier is switched off.
inline constexpr const char* kSwitchedOffSuffix = " - Off";

// Timer identifiers on the main window.
inline constexpr uintptr_t kTimer1Id = 1;

// The main window's behaviour, composed of one component per concern. The host creates the
// real window, forwards its decoded messages here and lays the view out over the client area.
// The handlers keep the names the menu table and the hosts know them by; each forwards to
// the component that owns the concern.
class Tfrmmain {
 public:
  explicit Tfrmmain(PlatformServices platform, SurfaceFactory& surfaces = HeapSurfaces());
  ~Tfrmmain();
  Tfrmmain(const Tfrmmain&) = delete;
  Tfrmmain& operator=(const Tfrmmain&) = delete;

  // The host calls this once the window exists; the timer starts with it.
  void AttachWindow(WindowId handle);
  WindowId Handle() const { return handle_; }
  TImageView& imageview1() { return *imageView_; }

  // The tracking tick; nothing happens while the window is not visible.
  void Timer1Timer() {
    if (Visible) tracking.Tick();
  }
  void MoveAwayFromPointer() { tracking.MoveAwayFromPointer(); }
  bool GetCaretPosition(Point& caret) { return caretFollow.GetCaretPosition(caret); }

  // Every command that changes a stored option calls this right after the change: the
  // fifteen values the window keeps itself, in order. A failed write is told and ends it.
  void WriteSettings();
  // Saves the window placement and the stored control states; a failure is told.
  void SaveFormState();
  // Before the window is shown for the first time: the stored placement and control states.
  void RestoreFormState();
  // As the window goes: a run that never saved its form state saves it now.
  void FormDestroy();
  // The window was hidden (not to the tray, which keeps it visible): the settings are kept.
  void FormHide() { WriteSettings(); }

  void RunonStartup1Click() { startWithWindows.RunonStartup1Click(); }

  // Once the window exists, before its first show: the hot key and the window's own fields.
  void FormCreate();

  // The tray, closing and the hot key.
  void HideApplication() { JvTrayIcon1.HideApplication(); }
  void ShowApplication() { JvTrayIcon1.ShowApplication(); }
  void ShowHideProgram1Click() { lifetime.ShowHideProgram1Click(); }
  void StayinSystemTray1Click() { lifetime.StayinSystemTray1Click(); }
  // What may end the program waits until an open dialog has closed.
  void Exit1Click() {
    dialogs.AfterDialog([this] { lifetime.Exit1Click(); });
  }
  void btnCloseClick() { lifetime.btnCloseClick(); }
  void FormCloseQuery(bool& CanClose) { lifetime.FormCloseQuery(CanClose); }
  void Close() {
    dialogs.AfterDialog([this] { lifetime.Close(); });
  }
  void WMHotKey() { hotKey.WMHotKey(); }
  bool QueryEndSession() { return lifetime.QueryEndSession(); }
  void EndSession(bool ending) {
    if (ending) dialogs.AfterDialog([this] { lifetime.EndSession(true); });
  }

  // The update check, the About box, help and links, the caption.
  void CheckforUpdates1Click() { dialogs.CheckforUpdates1Click(); }
  void CheckNewVersion() { dialogs.CheckNewVersion(); }
  // Work handed off the window's thread has ended; the check's deadline went off.
  void WorkDone() { dialogs.WorkDone(); }
  void UpdateDeadlineTimer() { dialogs.DeadlineReached(); }
  void AboutGlimmerlux1Click() { dialogs.AboutGlimmerlux1Click(); }
  void VisitTarnwellSoftwareWebsite1Click() { dialogs.VisitTarnwellSoftwareWebsite1Click(); }
  void ShowHelpfile1Click() { dialogs.ShowHelpfile1Click(); }
  void UpdateTitleCaption() {
    dialogs.UpdateTitleCaption(colorCheck.CaptionSuffix() + (menu.Enabled1.Checked ? "" : kSwitchedOffSuffix));
  }

  // Display options.
  void N1xpersecond1Click(TMenuItem& Sender) { display.N1xpersecond1Click(Sender); }
  void setFreqChecked() { display.setFreqChecked(); }
  void Smoothen1Click() { display.Smoothen1Click(); }
  void ColorFilterClick(TMenuItem& Sender) {
    display.ColorFilterClick(Sender);
    colorCheck.FilterChosen(Sender.Tag);
  }
  void FlipHorizontally1Click() { display.FlipHorizontally1Click(); }
  void FlipVertically1Click() { display.FlipVertically1Click(); }
  void Showcursor1Click() { display.Showcursor1Click(); }
  void DrawCrossHair1Click() { display.DrawCrossHair1Click(); }
  void N1pixel1Click(TMenuItem& Sender) { display.N1pixel1Click(Sender); }
  void DrawFixedGrid1Click() { display.DrawFixedGrid1Click(); }
  void FlipwhenHovered1Click() { display.FlipwhenHovered1Click(); }
  void FollowCaretPosition1Click() { btnTypeClick(); }
  void btnTypeClick() { tracking.btnTypeClick(); }
  void FixedLocation1Click() { tracking.FixedLocation1Click(); }
  void CopyImagetoClipboard1Click() { display.CopyImagetoClipboard1Click(); }
  void Enabled1Click() { display.Enabled1Click(); }
  void FormKeyDown(uint16_t& Key, ShiftState Shift) { display.FormKeyDown(Key, Shift); }
  // A typed character changes nothing: the follow-caret button's pressed state is stored, and
  // flipping it here would change caret following at the next start without anyone asking.
  void FormKeyPress(char32_t /*Key*/) {}
  void ImageView1MouseDown(MouseButton Button) { chrome.ImageView1MouseDown(Button); }
  void ImageView1MouseUp() {}
  void ImageView1DblClick() { chrome.ImageView1DblClick(); }

  // Window chrome.
  void Showtitlebar() { chrome.Showtitlebar(); }
  void Hidetitlebar() { chrome.Hidetitlebar(); }
  void ShowHideTitlebar1Click() { ImageView1DblClick(); }
  void SetTransparency() { chrome.SetTransparency(); }
  void MakeWindowTransparent1Click() { chrome.MakeWindowTransparent1Click(); }
  void SetStayOnTop(bool OnTop) { chrome.SetStayOnTop(OnTop); }
  void StayOnTop1Click() { chrome.StayOnTop1Click(); }
  void Setdefaultwindowsize1Click() { chrome.Setdefaultwindowsize1Click(); }
  void ShowPanel1Click() { chrome.ShowPanel1Click(); }
  // The resolution or the monitors changed. A window hidden in the tray keeps its place until
  // it comes back; the picture follows the new desktop from the next tick on.
  void DisplayChanged() {
    if (JvTrayIcon1.ApplicationVisible()) chrome.KeepOnAMonitor();
  }

  void UpdateStatusReadouts(Point C) { readouts.UpdateStatusReadouts(C); }
  void RGBValues1Click() { readouts.RGBValues1Click(); }
  void HTMLCode1Click() { readouts.HTMLCode1Click(); }
  void CopyColortoClipboard1Click() { readouts.CopyColortoClipboard1Click(); }
  void mnuCopyCoord1Click() { readouts.mnuCopyCoord1Click(); }
  void SetVirtualOrigin1Click() { readouts.SetVirtualOrigin1Click(); }

  // Colour vision, contrast and the sampled square.
  void SimulationClick(TMenuItem& Sender) { colorCheck.SimulationClick(Sender); }
  void SeverityClick(TMenuItem& Sender) { colorCheck.SeverityClick(Sender); }
  void SampleSizeClick(TMenuItem& Sender) { colorCheck.SampleSizeClick(Sender); }
  void PickForegroundColor1Click() { colorCheck.PickForegroundColorClick(); }
  void PickBackgroundColor1Click() { colorCheck.PickBackgroundColorClick(); }
  void CopyContrast1Click() { colorCheck.CopyContrastClick(); }
  // A key while the picture, not the zoom list, has the keyboard; true when it was used up.
  bool PictureKeyDown(uint16_t Key, ShiftState Shift) { return nudge.KeyDown(Key, Shift); }

  void cbxZoomLevelChange() { zoom.cbxZoomLevelChange(); }
  void Magnify1X1Click(TMenuItem& Sender) { zoom.Magnify1X1Click(Sender); }
  void Magnify075X1Click() { zoom.SelectListedZoom(16); }
  void Magnify05X1Click() { zoom.SelectListedZoom(17); }
  void Magnify025X1Click() { zoom.SelectListedZoom(18); }
  void setzoomchecked() { zoom.setzoomchecked(); }
  // Sees the wheel of every window of the program first; true when it handled it.
  bool ApplicationEvents1Message(MouseWheel wheel) {
    zoom.WheelStep(wheel);
    return true;
  }

  void FormResize(int outerWidth) { panel.FormResize(outerWidth); }
  // The client area changed; returns where the view goes (what the status panel leaves).
  Rect ClientResized(int width, int height) const;

  // Every time the window becomes visible: applies every option to the view and the window.
  void FormShow();

  // Set when the window is created; hiding to the tray leaves it set.
  bool Visible = true;
  // "major.minor" of the program file.
  std::string version;

 private:
  WindowId handle_ = 0;
  std::unique_ptr<TImageView> imageView_;

 public:
  TMainMenuItems menu;
  StatusPanel panel;
  Timer Timer1;
  // Where a command chosen from a menu acts; the hosts tell it when menus open and close.
  CommandPoint commandPoint;
  StatusReadouts readouts;
  CaretFollow caretFollow;
  Tracking tracking;
  ZoomSelection zoom;
  DisplayCommands display;
  WindowChrome chrome;
  StartWithWindows startWithWindows;
  TFormStorage JvFormStorage1;
  TrayIcon JvTrayIcon1;
  Lifetime lifetime;
  HotKey hotKey;
  DialogCommands dialogs;
  ColorCheck colorCheck;
  PointerNudge nudge;

 private:
  std::vector<TStoredProp> StoredProps();
  SettingsStore& settings_;
  Messages& messages_;
  ProgramFile& programFile_;
};
