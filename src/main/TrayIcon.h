#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "main/Timer.h"
#include "platform/AppWindow.h"
#include "platform/Tray.h"
#include "platform/Windowing.h"

inline constexpr uintptr_t kTrayRetryTimerId = 2;
// A shell that is still starting, or too busy to answer, gets a minute to take the icon.
inline constexpr uint32_t kTrayRetryIntervalMs = 1000;
inline constexpr int kTrayRetries = 60;

// The icon's options, bit n = 1 << n in the order the program has always numbered them; the
// other seven are never set.
enum TrayVisibility : uint32_t {
  tvVisibleTaskBar = 1u << 0,  // the program's taskbar button is shown
  tvAutoHide = 1u << 2,        // minimising the program hides it to the tray
  tvRestoreClick = 1u << 5,    // a left click shows a hidden program
  tvMinimizeClick = 1u << 7,   // a left click hides a shown program
};

// The program's icon in the notification area and the two ways between the screen and it.
class TrayIcon {
 public:
  TrayIcon(Tray& tray, AppWindow& app, Windowing& windows);

  std::string Hint = "Glimmerlux";
  // The part of the hint before a vertical bar.
  std::string Tip() const;

  // The icon's window exists now (an active icon goes into the notification area) or is
  // going (0: the icon goes with it).
  void AttachWindow(WindowId window);
  bool Active() const { return active_; }
  void SetActive(bool on);
  // Whether the notification area really shows the icon.
  bool Present() const { return present_; }
  uint32_t Visibility() const { return visibility_; }
  // Taking tvVisibleTaskBar away hides the program to the tray, giving it back shows it.
  void SetVisibility(uint32_t options);

  void HideApplication();
  void ShowApplication();
  // The tray test: the program counts as shown unless it is minimised.
  bool ApplicationVisible();

  // Sees a click on the icon first, and takes it when it answers true.
  std::function<bool()> OnClick;

  // Events of the icon and the shell, decoded by the window that receives them.
  void IconLeftDown() { leftPressed_ = true; }
  void IconLeftUp();
  // The minimise command of the window; true when the icon took it over.
  bool MinimizeCommand();
  // The shell's taskbar was created anew, and with it an empty notification area.
  void TaskbarCreated();
  void RetryTimer();

 private:
  void AddIcon();
  void RemoveIcon();
  void IconLost();

  Tray& tray_;
  AppWindow& app_;
  Timer retry_;
  WindowId window_ = 0;
  bool active_ = true;
  bool present_ = false;
  bool buttonHidden_ = false;
  bool leftPressed_ = false;
  int retriesLeft_ = 0;
  uint32_t visibility_ = tvVisibleTaskBar | tvAutoHide | tvRestoreClick | tvMinimizeClick;
};
