#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Bitmap.h"
#include "base/Geometry.h"
#include "main/CaretFollow.h"
#include "main/ColorCheck.h"
#include "main/CommandPoint.h"
#include "main/DialogCommands.h"
#include "main/DisplayCommands.h"
#include "main/FormState.h"
#include "main/HotKey.h"
#include "main/Keys.h"
#include "main/Lifetime.h"
#include "main/MouseWheel.h"
#include "main/OptionOwner.h"
#include "main/PointerNudge.h"
#include "main/StartWithWindows.h"
#include "main/StatusPanel.h"
#include "main/StatusReadouts.h"
#include "main/Timer.h"
#include "main/Tracking.h"
#include "main/TrayIcon.h"
#include "main/WindowChrome.h"
#include "main/ZoomSelection.h"
#include "view/MouseButton.h"
#include "view/VwImage.h"

class Messages;
class ProgramFile;
class SettingsStore;
struct PlatformServices;

// What the caption adds while the magnifier is switched off.
inline constexpr const char* kSwitchedOffSuffix = " - Off";

// Timer identifiers on the main window.
inline constexpr uintptr_t kTimer1Id = 1;

// The main window: one component per concern, which the menu table and the hosts reach
// directly. The form composes and wires them, and runs the window's own events: its start and
// end, its showing and hiding, the tick, and the settings every option owner adds to.
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

  // Once the window exists, before its first show: the hot key and the window's own fields.
  void FormCreate();
  // Before the window is shown for the first time: the stored placement and control states.
  void RestoreFormState();
  // Every time the window becomes visible: each option owner reads what it reads at each show
  // and hands every option to the view and the window.
  void FormShow();
  // The window was hidden (not to the tray, which keeps it visible): the settings are kept.
  void FormHide() { WriteSettings(); }
  // As the window goes: a run that never saved its form state saves it now.
  void FormDestroy();

  // Every command that changes a stored option calls this right after the change: the values
  // the window keeps itself, in their stored order. A failed write is told and ends it.
  void WriteSettings();
  // Saves the window placement and the stored control states; a failure is told.
  void SaveFormState();

  // The tracking tick; nothing happens while the window is not visible.
  void Timer1Timer() {
    if (Visible) tracking.Tick();
  }
  // Every key the window sees before its controls.
  void FormKeyDown(uint16_t& Key, ShiftState Shift) { display.FormKeyDown(Key, Shift); }
  // A key while the picture, not the zoom list, has the keyboard; true when it was used up.
  bool PictureKeyDown(uint16_t Key, ShiftState Shift) { return nudge.KeyDown(Key, Shift); }
  // Sees the wheel of every window of the program first; true when it handled it.
  bool ApplicationEvents1Message(MouseWheel wheel) {
    zoom.WheelStep(wheel);
    return true;
  }
  void FormResize(int outerWidth) { panel.FormResize(outerWidth); }
  // The client area changed; returns where the view goes (what the status panel leaves).
  Rect ClientResized(int width, int height) const;
  // The resolution or the monitors changed. A window hidden in the tray keeps its place until
  // it comes back; the picture follows the new desktop from the next tick on.
  void DisplayChanged() {
    if (JvTrayIcon1.ApplicationVisible()) chrome.KeepOnAMonitor();
  }

  // Closing, the hot key and the end of the session. What may end the program waits until an
  // open dialog has closed.
  void Exit1Click() {
    dialogs.AfterDialog([this] { lifetime.Exit1Click(); });
  }
  void Close() {
    dialogs.AfterDialog([this] { lifetime.Close(); });
  }
  void FormCloseQuery(bool& CanClose) { lifetime.FormCloseQuery(CanClose); }
  void WMHotKey() { hotKey.WMHotKey(); }
  bool QueryEndSession() { return lifetime.QueryEndSession(); }
  void EndSession(bool ending) {
    if (ending) dialogs.AfterDialog([this] { lifetime.EndSession(true); });
  }

  // Work handed off the window's thread has ended; the update check's deadline went off.
  void WorkDone() { dialogs.WorkDone(); }
  void UpdateDeadlineTimer() { dialogs.DeadlineReached(); }
  // The program's name and version, the simulation and whether the magnifier is off.
  void UpdateTitleCaption();

  // Set when the window is created; hiding to the tray leaves it set.
  bool Visible = true;
  // "major.minor" of the program file.
  std::string version;

 private:
  WindowId handle_ = 0;
  std::unique_ptr<TImageView> imageView_;

 public:
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
  FormState JvFormStorage1;
  TrayIcon JvTrayIcon1;
  Lifetime lifetime;
  HotKey hotKey;
  DialogCommands dialogs;
  ColorCheck colorCheck;
  PointerNudge nudge;

 private:
  // The owners of options, in the order they apply them at each show.
  std::array<OptionOwner*, 7> Owners();
  // Gathers every owner's stored values, each list in its stored order.
  void CollectSettings();
  SettingsStore& settings_;
  Messages& messages_;
  ProgramFile& programFile_;
  std::vector<WrittenValue> writtenValues_;
};
